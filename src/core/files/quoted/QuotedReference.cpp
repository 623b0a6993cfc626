#include "core/files/quoted/QuotedReference.h"

#include "core/files/quoted/QuotedFields.h"

namespace tabulyst {

namespace {

class ReferenceSplitter {
public:
    ReferenceSplitter(std::string_view text, const QuotedLayout& layout)
        : text_(text), layout_(layout), usable_(delimiterUsable(layout)) {}

    // Reads the record from start; false when a quote in it never closes.
    bool record(std::size_t start, bool quoting, QuotedRecord& record) const {
        record = QuotedRecord{};
        record.start = start;
        for (std::size_t field = start;;) {
            std::size_t at = field;
            if (quoting && at < text_.size() && text_[at] == kQuote) {
                QuotedSpan span{at, 0, false};
                if (!closingQuote(span)) {
                    record.unclosedAt = at;
                    return false;
                }
                record.quoted.push_back(span);
                at = span.close + 1;
            } else {
                while (at < text_.size() && text_[at] != layout_.lineEnd && !delimiterAt(at)) ++at;
            }
            if (at == text_.size() || text_[at] == layout_.lineEnd) {
                record.stop = at;
                break;
            }
            record.delimiters.push_back(at);
            field = at + layout_.delimiter.size();
        }
        for (std::size_t at = record.start; at < record.stop; ++at)
            if (static_cast<unsigned char>(text_[at]) >= 0x80) record.upper = true;
        return true;
    }

private:
    bool delimiterAt(std::size_t at) const { return usable_ && text_.substr(at).starts_with(layout_.delimiter); }

    // The quote that closes the field opened at span.open: the next quote
    // followed by the delimiter, the line end or the text's end; a pair of
    // quotes is one quote of the field.
    bool closingQuote(QuotedSpan& span) const {
        for (std::size_t at = span.open + 1; at < text_.size(); ++at) {
            if (text_[at] != kQuote) continue;
            const std::size_t next = at + 1;
            if (next < text_.size() && text_[next] == kQuote) {
                span.pairs = true;
                ++at;
                continue;
            }
            if (next == text_.size() || text_[next] == layout_.lineEnd || delimiterAt(next)) {
                span.close = at;
                return true;
            }
        }
        return false;
    }

    std::string_view text_;
    const QuotedLayout& layout_;
    bool usable_;
};

}  // namespace

std::vector<QuotedRecord> splitQuotedReference(std::string_view text, const QuotedLayout& layout) {
    if (layout.stopAtCode26) text = text.substr(0, text.find('\x1A'));
    const ReferenceSplitter splitter(text, layout);
    std::vector<QuotedRecord> records;
    for (std::size_t start = 0; start < text.size();) {
        QuotedRecord record;
        if (!splitter.record(start, quotingActive(layout), record)) {
            const std::size_t quote = record.unclosedAt;
            splitter.record(start, false, record);
            record.plain = true;
            record.unclosedAt = quote;
        }
        start = nextRecordStart(text.data(), text.size(), record.stop, layout);
        records.push_back(std::move(record));
    }
    return records;
}

std::vector<std::string_view> rawFields(std::string_view text, const QuotedRecord& record,
                                        std::string_view delimiter) {
    std::vector<std::string_view> fields;
    if (delimiter.empty() && record.stop == record.start) return fields;
    std::size_t begin = record.start;
    for (std::size_t at : record.delimiters) {
        fields.push_back(text.substr(begin, at - begin));
        begin = at + delimiter.size();
    }
    fields.push_back(text.substr(begin, record.stop - begin));
    return fields;
}

std::vector<std::string> recordCells(std::string_view text, const QuotedRecord& record, std::string_view delimiter) {
    std::vector<std::string> cells;
    std::size_t quoted = 0;
    for (std::string_view field : rawFields(text, record, delimiter)) {
        const auto at = static_cast<std::size_t>(field.data() - text.data());
        if (quoted < record.quoted.size() && record.quoted[quoted].open == at) {
            cells.push_back(unquotedField(field));
            ++quoted;
        } else {
            cells.emplace_back(field);
        }
    }
    return cells;
}

}  // namespace tabulyst
