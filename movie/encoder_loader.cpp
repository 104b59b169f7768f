// Opens the movie encoders' module on the first movie of a run: a conversion
// or a browser that writes no movie never maps giflib and FFmpeg.
#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

#include "movie/encoder_module.h"
#include "state/orbalux_error.h"

namespace orbalux {
namespace {

struct Loaded {
    const MovieEncoderTable* table = nullptr;
    std::string failure;  // why it is not there, for every movie asked for
};

std::string ProgramFolder() {
    std::vector<char> buffer(4096);
    const ssize_t size = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (size <= 0 || static_cast<std::size_t>(size) >= buffer.size()) return {};
    std::string path(buffer.data(), static_cast<std::size_t>(size));
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// The places to look, first found wins. The module is never closed: the
// encoders it made live in its code.
Loaded Open() {
    std::vector<std::string> candidates;
    if (const char* chosen = std::getenv("ORBALUX_MOVIE_ENCODERS"); chosen && *chosen) {
        candidates.emplace_back(chosen);
    } else {
        if (const std::string folder = ProgramFolder(); !folder.empty())
            candidates.push_back(folder + "/" ORBALUX_MOVIE_MODULE_RELATIVE_DIR "/" + kMovieEncoderModuleName);
        candidates.emplace_back(kMovieEncoderModuleName);  // the run path of a program in its build folder
    }
    Loaded loaded;
    for (const std::string& candidate : candidates) {
        void* handle = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            if (loaded.failure.empty()) loaded.failure = dlerror();
            continue;
        }
        auto entry = reinterpret_cast<MovieEncoderEntry>(dlsym(handle, kMovieEncoderEntryName));
        const MovieEncoderTable* table = entry ? entry() : nullptr;
        if (!table || table->version != kMovieEncoderTableVersion) {
            loaded.failure = candidate + " is not this build's movie encoder module";
            continue;  // left open: closing a library that may have run its constructors is not worth the risk
        }
        loaded.table = table;
        loaded.failure.clear();
        return loaded;
    }
    return loaded;
}

}  // namespace

const MovieEncoderTable& MovieEncoders(const std::string& path) {
    static std::once_flag once;
    static Loaded loaded;
    std::call_once(once, [] { loaded = Open(); });
    if (!loaded.table)
        throw OrbaluxError(ErrorKind::Unwritable, path,
                           "movies need the movie encoders, which are not installed (" + loaded.failure + ")");
    return *loaded.table;
}

void CheckMovieEncoder(const std::string& path, MovieFormat format) { MovieEncoders(path).check(path, format); }

}  // namespace orbalux
