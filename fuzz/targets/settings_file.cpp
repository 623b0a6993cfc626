// The configuration file: whatever it holds, reading it never fails loudly,
// the layout settings read from it are lengths the rest of the program takes,
// and the writes the program makes (the recent-file list on every open, the
// layout settings) change only what they write: every other section, key and
// value reads back as before, and the file does not grow on every write
// (the library may lay out the blank lines around a comment differently over
// the first writes, but then never again).
//
// Input: the file's bytes.
#include <cctype>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/files/ConfigFile.h"
#include "core/files/FieldLength.h"
#include "core/files/LayoutSettings.h"
#include "support/Check.h"
#include "support/FormHarness.h"

using namespace tabulyst;
using namespace tabulyst::fuzz;

namespace {

using Section = std::pair<std::string, std::vector<std::pair<std::string, std::string>>>;
using Settings = std::vector<Section>;

Settings snapshot(const ConfigFile& config) {
    Settings all;
    config.inspect([&](const ConfigFile::Editor& e) {
        for (const auto& name : e.sections()) {
            Section section{name, {}};
            for (const auto& key : e.keys(name)) section.second.emplace_back(key, e.read(name, key).value_or("?"));
            // The keys before the first section (or under "[]") are no setting
            // of the program: the library writes them first, where it reads a
            // key starting with the bytes of a byte-order mark as the mark.
            if (!name.empty()) all.push_back(std::move(section));
        }
    });
    return all;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// The settings without the named sections.
Settings without(Settings all, std::initializer_list<std::string_view> names) {
    std::erase_if(all, [&](const Section& s) {
        for (auto name : names)
            if (sameName(s.first, name)) return true;
        return false;
    });
    return all;
}

std::string describe(const Settings& all) {
    std::string out;
    for (const auto& [name, keys] : all) {
        out += "[" + printable(name) + "]";
        for (const auto& [key, value] : keys) out += " " + printable(key) + "=" + printable(value);
        out += "\n";
    }
    return out;
}

// Writing the same again and again: the blank lines around a comment may
// settle over the first writes, then no byte changes, and the file never grows
// with every write.
void checkSettles(const FormHarness& harness, const std::string& name, const std::function<void()>& write) {
    const std::string first = harness.folder().read(name);
    std::string settled = first;
    for (int again = 0; again < 3; ++again) {
        write();
        settled = harness.folder().read(name);
    }
    FUZZ_CHECK(settled.size() <= first.size() + 8, "the file does not grow with every write");
    write();
    FUZZ_CHECK_BYTES(harness.folder().read(name), settled, "writing the same again changes no more bytes");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FormHarness& harness = FormHarness::fresh();
    MainForm& form = harness.form();
    ConfigFile& config = form.config;
    const std::string name = config.path().substr(config.path().rfind('/') + 1);
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    // A key before the first section that starts with the bytes of a
    // byte-order mark is written first, where the library reads them as the
    // mark: such keys are no setting of the program, and not tried.
    if (bytes.find("\xEF\xBB\xBF", 1) != std::string::npos) return 0;
    harness.folder().write(name, bytes);

    const Settings before = snapshot(config);
    std::vector<std::string> lengths;
    const bool delimited = ReadLayoutSettings(config, lengths);
    std::string bad;
    FUZZ_CHECK(parseFieldLengths(lengths, bad).size() == lengths.size(), "a length read at start opens: " + bad);

    const bool readable = config.readError().empty();
    const std::string table = "/home/user/Daten/T\xE4gliche Liste.csv";
    form.recent.RecordRecentFile(table);
    const std::string first = harness.folder().read(name);
    if (!readable) {
        FUZZ_CHECK(first == bytes, "a file that cannot be read is never overwritten");
        return 0;
    }
    const Settings after = snapshot(config);
    FUZZ_CHECK(without(after, {"Recent"}) == without(before, {"Recent"}),
               "recording a recent file changes nothing else:\nbefore:\n" + describe(before) + "after:\n" +
                   describe(after));
    std::vector<std::string> recent = config.readKeys("Recent");
    FUZZ_CHECK(!recent.empty() && recent.back() == table && recent.size() <= 10, "the file is the newest entry");

    checkSettles(harness, name, [&] { form.recent.RecordRecentFile(table); });

    const bool quoted = lengths.size() % 2 == 0;
    FUZZ_CHECK(WriteLayoutSettings(config, !delimited, lengths, quoted).empty(), "the layout settings are written");
    std::vector<std::string> lengthsAgain;
    FUZZ_CHECK(ReadLayoutSettings(config, lengthsAgain) == !delimited && lengthsAgain == lengths &&
                   ReadQuotedFields(config) == quoted,
               "the layout settings read back as written");
    FUZZ_CHECK(without(snapshot(config), {"Common", "Lengths"}) == without(after, {"Common", "Lengths"}),
               "writing the layout changes nothing else");
    checkSettles(harness, name, [&] { WriteLayoutSettings(config, !delimited, lengths, quoted); });
    return 0;
}
