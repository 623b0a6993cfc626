#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <QIcon>
#include <QLocale>
#include <functional>

#include "support/TempFolder.h"
#include "ui/Application.h"
#include "ui/QtDialogs.h"
#include "ui/StandardDialogs.h"

namespace tabulyst::ui {
namespace {

template <class Dialog>
Dialog* shown() {
    return qobject_cast<Dialog*>(QApplication::activeModalWidget());
}

QStringList filterCaptions(QFileDialog* dialog) {
    QStringList captions;
    auto* combo = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    for (int i = 0; combo && i < combo->count(); ++i) captions << combo->itemText(i);
    return captions;
}

QStringList listedNames(QFileDialog* dialog) {
    QStringList names;
    auto* view = dialog->findChild<QAbstractItemView*>(QStringLiteral("listView"));
    if (!view) return names;
    QAbstractItemModel* model = view->model();
    const QModelIndex root = view->rootIndex();
    for (int i = 0; i < model->rowCount(root); ++i) names << model->index(i, 0, root).data().toString();
    names.sort();
    return names;
}

// Qt's standard dialogs speak German whatever the system language; the test
// process runs with the system's (mostly English) texts until they are loaded.
// The program's set-up for one test, undone afterwards for the tests that follow in this process.
class ProgramSetUp : public ::testing::Test {
protected:
    ProgramSetUp() { setUpApplication(*qApp); }
    ~ProgramSetUp() override {
        qDeleteAll(qApp->findChildren<QTranslator*>());
        QApplication::setFont(font_);
        QApplication::setWindowIcon(icon_);
        QLocale::setDefault(locale_);
    }

private:
    QFont font_ = QApplication::font();
    QIcon icon_ = QApplication::windowIcon();
    QLocale locale_;
};

TEST_F(ProgramSetUp, TheWindowIconIsTheInstalledIcon) {
    QWidget window;
    const QImage shown = window.windowIcon().pixmap(32).toImage();
    const QString installed = QStringLiteral(TABULYST_SOURCE_DIR "/packaging/org.example.tabulyst.svg");
    const QImage drawn = QIcon(installed).pixmap(32).toImage();
    ASSERT_FALSE(drawn.isNull()) << "no SVG icon support";
    EXPECT_EQ(shown, drawn);
}

// Qt's German text for source as the installed catalogue has it, which an
// update may word anew; never the English source itself.
QString installedGerman(const char* context, const char* source) {
    QTranslator catalogue;
    if (!catalogue.load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) return {};
    const QString german = catalogue.translate(context, source);
    return german == QLatin1String(source) ? QString() : german;
}

TEST_F(ProgramSetUp, QtsOwnTextsAreGermanFromTheStart) {
    const QString abbrechen = installedGerman("QPlatformTheme", "Cancel");
    const QString speichern = installedGerman("QPlatformTheme", "Save");
    const QString suchenIn = installedGerman("QFileDialog", "Look in:");
    const QString dateiname = installedGerman("QFileDialog", "File &name:");
    for (const QString& german : {abbrechen, speichern, suchenIn, dateiname}) ASSERT_FALSE(german.isEmpty());

    QDialogButtonBox buttons(QDialogButtonBox::Cancel | QDialogButtonBox::Save);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), abbrechen);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Save)->text(), speichern);

    testing::TempFolder folder;
    QtDialogs dialogs;
    QString lookIn, fileName, cancel;
    QTimer::singleShot(0, [&] {
        auto* dialog = shown<QFileDialog>();
        ASSERT_NE(dialog, nullptr);
        lookIn = dialog->findChild<QLabel*>(QStringLiteral("lookInLabel"))->text();
        fileName = dialog->findChild<QLabel*>(QStringLiteral("fileNameLabel"))->text();
        cancel = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"))->button(QDialogButtonBox::Cancel)->text();
        dialog->reject();
    });
    EXPECT_EQ(dialogs.chooseOpenFile(folder.path().string()), std::nullopt);
    EXPECT_EQ(lookIn, suchenIn);
    EXPECT_EQ(fileName, dateiname);
    EXPECT_EQ(cancel, abbrechen);
}

TEST(StandardDialogs, OpenAndSaveShowOneAllFilesFilterThatMatchesFilesWithoutExtension) {
    testing::TempFolder folder;
    folder.write("README", "x");
    folder.write("a.csv", "1;2\r\n");
    QtDialogs dialogs;
    QStringList openFilters, openListed, saveFilters;
    QTimer::singleShot(0, [&] {
        auto* dialog = shown<QFileDialog>();
        ASSERT_NE(dialog, nullptr);
        openFilters = filterCaptions(dialog);
        (void)QTest::qWaitFor([&] { return listedNames(dialog).size() == 2; }, 5000);
        openListed = listedNames(dialog);
        QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")), QStringLiteral("README"));
        QTest::keyClick(dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")), Qt::Key_Return);
        if (dialog->isVisible()) dialog->reject();  // never leave the test waiting
    });
    EXPECT_EQ(dialogs.chooseOpenFile(folder.path().string()), folder.file("README"));
    EXPECT_EQ(openFilters, QStringList{QStringLiteral("All files(*.*)")});
    EXPECT_EQ(openListed, (QStringList{QStringLiteral("README"), QStringLiteral("a.csv")}));

    QTimer::singleShot(0, [&] {
        auto* dialog = shown<QFileDialog>();
        ASSERT_NE(dialog, nullptr);
        saveFilters = filterCaptions(dialog);
        dialog->reject();
    });
    EXPECT_EQ(dialogs.chooseSaveFile(folder.path().string(), folder.file("a.csv")), std::nullopt);
    EXPECT_EQ(saveFilters, QStringList{QStringLiteral("All files(*.*)")});
}

// The width of the message box that show opens; the box is closed again.
int widthOfBoxShownBy(const std::function<void()>& show) {
    int width = 0;
    QTimer::singleShot(0, [&] {
        auto* box = shown<QMessageBox>();
        if (!box) return;
        width = box->width();
        box->reject();
    });
    show();
    return width;
}

// The bad-delimiter message "x#" is short; its box must still show the title.
TEST(StandardDialogs, AMessageBoxWithAShortTextIsWideEnoughForItsTitle) {
    const QString before = QApplication::applicationDisplayName();
    QApplication::setApplicationDisplayName(QStringLiteral("tabulyst"));
    QtDialogs dialogs;
    const int messageWidth = widthOfBoxShownBy([&] { dialogs.showMessage("x#"); });
    const int questionWidth = widthOfBoxShownBy([&] { dialogs.confirm("Ja?", DefaultAnswer::Yes); });
    QApplication::setApplicationDisplayName(before);

    // The title in a bold title-bar font, beside the window icon and three buttons of about 20 pixels.
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    const int needed = QFontMetrics(titleFont).horizontalAdvance(QStringLiteral("tabulyst")) + 4 * 20;
    EXPECT_GE(messageWidth, needed);
    EXPECT_GE(questionWidth, needed);
}

TEST(StandardDialogs, EnterAnswersAQuestionWithItsDefault) {
    QtDialogs dialogs;
    for (DefaultAnswer byDefault : {DefaultAnswer::No, DefaultAnswer::Yes}) {
        QTimer::singleShot(0, [] {
            auto* box = shown<QMessageBox>();
            ASSERT_NE(box, nullptr);
            QTest::keyClick(box, Qt::Key_Return);
            if (box->isVisible()) box->done(-1);  // never leave the test waiting
        });
        EXPECT_EQ(dialogs.confirm("Änderungen verwerfen und beenden?", byDefault), byDefault == DefaultAnswer::Yes);
    }
}

}  // namespace
}  // namespace tabulyst::ui
