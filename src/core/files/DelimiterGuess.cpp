#include "core/files/DelimiterGuess.h"

#include <fstream>

#include "core/files/quoted/QuotedReference.h"

namespace tabulyst {

namespace {
constexpr std::size_t kHead = std::size_t{64} << 10;
constexpr std::size_t kRecords = 100;
}  // namespace

std::string guessDelimiter(std::string_view head, bool quoted, bool wholeFile) {
    if (head.starts_with("\xEF\xBB\xBF")) head.remove_prefix(3);
    QuotedLayout layout;
    layout.crLf = head.find('\r') != std::string_view::npos;
    layout.lineEnd = layout.crLf ? '\r' : '\n';
    layout.quoted = quoted;
    layout.stopAtCode26 = true;
    for (std::string_view candidate : {",", ";", "\t", "|"}) {
        layout.delimiter = candidate;
        std::vector<QuotedRecord> records = splitQuotedReference(head, layout);
        if (!wholeFile && records.size() > 1) records.pop_back();  // may be cut
        // A last empty line is no record of the table's.
        while (!records.empty() && records.back().start == records.back().stop) records.pop_back();
        if (records.size() > kRecords) records.resize(kRecords);
        if (records.empty()) continue;
        const std::size_t fields = records.front().delimiters.size() + 1;
        bool same = fields >= 2;
        for (const QuotedRecord& record : records) same = same && record.delimiters.size() + 1 == fields;
        if (same) return std::string(candidate);
    }
    return {};
}

std::string readFileHead(const std::string& path, bool& wholeFile) {
    std::ifstream in(path, std::ios::binary);
    std::string head(kHead + 1, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(in.gcount()));
    wholeFile = head.size() <= kHead;
    if (!wholeFile) head.resize(kHead);
    return head;
}

}  // namespace tabulyst
