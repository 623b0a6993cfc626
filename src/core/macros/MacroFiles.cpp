#include "core/macros/MacroFiles.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace tabulyst {

namespace {
std::string readFailure(const std::string& path, const std::string& reason) {
    return "Die Makrodatei \"" + path + "\" kann nicht gelesen werden: " + reason;
}
}  // namespace

std::string macroFilePath(const SettingsLocation& settings, int number) {
    return settings.file("Macro" + (number == kTemporaryMacro ? std::string("SCM") : std::to_string(number)) + ".MDE");
}

bool macroFileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

MacroFileContents readMacroFile(const std::string& path) {
    MacroFileContents result;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        result.error = readFailure(path, std::strerror(EISDIR));
        return result;
    }
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) {
        result.error = readFailure(path, std::strerror(errno));
        return result;
    }
    std::string bytes(MacroBuffer::kFileSize, '\0');
    const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), file.get());
    if (got < bytes.size()) {
        result.error = readFailure(path, std::ferror(file.get()) ? std::string(std::strerror(errno))
                                                                 : "Die Datei ist kürzer als 4096 Bytes.");
        return result;
    }
    result.buffer = MacroBuffer::fromBytes(bytes);
    return result;
}

std::string writeMacroFile(const std::string& path, const MacroBuffer& buffer) {
    return writeSettingsFile(path, buffer.bytes());
}

}  // namespace tabulyst
