#include "ui/AboutDialog.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/app/AboutWindow.h"
#include "ui/Placement.h"
#include "ui/Colour.h"
#include "ui/Text.h"

namespace tabulyst::ui {

namespace {

QFrame* loweredPanel(QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return panel;
}

QLabel* linkLabel(const char* name, const std::string& text, QWidget* parent) {
    auto* label = new QLabel(fromUtf8(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    QFont font = label->font();
    font.setBold(true);
    font.setUnderline(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colourOf(AboutWindow::kLinkColour));
    label->setPalette(palette);
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

}  // namespace

QPixmap programIcon() {
    const QIcon own = QApplication::windowIcon();
    if (!own.isNull()) return own.pixmap(32, 32);
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QColor(40, 40, 120));
    p.setBrush(Qt::white);
    p.drawRect(2, 4, 27, 23);
    p.fillRect(3, 5, 26, 6, QColor(90, 120, 200));
    for (int x = 11; x < 29; x += 9) p.drawLine(x, 11, x, 27);
    for (int y = 16; y < 27; y += 5) p.drawLine(2, y, 29, y);
    return pixmap;
}

AboutDialog::AboutDialog(AboutWindow& about, QWidget* parent) : QDialog(parent), about_(about) {
    setWindowFlags((windowFlags() | Qt::MSWindowsFixedSizeDialogHint) & ~Qt::WindowContextHelpButtonHint);
    setWindowTitle(fromUtf8(AboutWindow::kCaption));

    auto* outer = loweredPanel(this);
    auto* inner = loweredPanel(outer);

    credit_ = new QLabel(inner);
    credit_->setObjectName(QStringLiteral("lblCredit"));
    credit_->setWordWrap(true);
    QFont creditFont = credit_->font();
    creditFont.setPixelSize(13);
    credit_->setFont(creditFont);
    auto* icon = new QLabel(inner);
    icon->setObjectName(QStringLiteral("imgIcon"));
    icon->setPixmap(programIcon());
    icon->setFixedSize(32, 32);

    web_ = linkLabel("lblWWW", about_.lblWWW, inner);
    mail_ = linkLabel("lblMailTo", about_.lblMailTo, inner);
    web_->installEventFilter(this);
    mail_->installEventFilter(this);

    auto* thanks = new QLabel(fromUtf8(AboutWindow::kThanks), inner);
    thanks->setObjectName(QStringLiteral("lblThanks"));
    QFont thanksFont = thanks->font();
    thanksFont.setPixelSize(13);
    thanksFont.setBold(true);
    thanks->setFont(thanksFont);
    QPalette thanksPalette = thanks->palette();
    thanksPalette.setColor(QPalette::WindowText, colourOf(AboutWindow::kThanksColour));
    thanks->setPalette(thanksPalette);

    memo_ = new QPlainTextEdit(inner);
    memo_->setObjectName(QStringLiteral("memAcknowledgements"));
    memo_->setReadOnly(true);
    memo_->setFrameStyle(QFrame::NoFrame);
    memo_->viewport()->setAutoFillBackground(false);
    memo_->setStyleSheet(QStringLiteral("background: transparent"));

    auto* head = new QHBoxLayout;
    head->addWidget(credit_, 1);
    head->addWidget(icon, 0, Qt::AlignTop);
    auto* innerLayout = new QVBoxLayout(inner);
    innerLayout->setSpacing(2);
    innerLayout->addLayout(head);
    innerLayout->addWidget(new QLabel(fromUtf8(AboutWindow::kWebCaption), inner));
    innerLayout->addWidget(web_);
    innerLayout->addWidget(new QLabel(fromUtf8(AboutWindow::kMailCaption), inner));
    innerLayout->addWidget(mail_);
    innerLayout->addWidget(thanks);
    innerLayout->addWidget(memo_, 1);
    auto* outerLayout = new QVBoxLayout(outer);
    outerLayout->setContentsMargins(3, 3, 3, 3);
    outerLayout->addWidget(inner);

    auto* ok = new QPushButton(fromUtf8(AboutWindow::kOkCaption), this);
    ok->setObjectName(QStringLiteral("btnOk"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(outer, 1);
    layout->addLayout(bottom);
    setFixedSize(AboutWindow::kClientWidth, AboutWindow::kClientHeight);
}

bool AboutDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == web_) about_.lblWWWClick();
        else if (watched == mail_) about_.lblMailToClick();
    }
    return QDialog::eventFilter(watched, event);
}

void AboutDialog::run() {
    credit_->setText(fromUtf8(about_.creditLabel));
    web_->setText(fromUtf8(about_.lblWWW));
    mail_->setText(fromUtf8(about_.lblMailTo));
    QStringList lines;
    for (const auto& line : about_.acknowledgements) lines << fromUtf8(line);
    memo_->setPlainText(lines.join(u'\n'));
    centreOnScreen(this);
    exec();
}

}  // namespace tabulyst::ui
