// PakWrite: packs resource files into a "!PAK" archive for the game's resource folder.
//
//   PakWrite [--plain] <out.pak> <input dir> [file ...]
//
// Without a file list every regular file below the input folder is packed (symbolic links and
// ".pak" files are skipped); with one, only the listed files (paths relative to the folder).
// Entries are named by their lower-cased relative path with "/" separators and written in name
// order, so the same input always gives the same archive. --plain writes the older version 1.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "core/PakFormat.h"

namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> ReadWhole(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<fs::path> ScanFolder(const fs::path& root) {
    std::vector<fs::path> files;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
        fs::file_status st = it->symlink_status();
        if (!fs::is_regular_file(st)) continue;
        if (PakLowerName(it->path().extension().string()) == ".pak") continue;
        files.push_back(fs::relative(it->path(), root));
    }
    return files;
}

void WriteArchive(const fs::path& out, const std::vector<uint8_t>& bytes) {
    fs::path temp = out;
    temp += ".tmp";
    {
        std::ofstream file(temp, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        if (!file.flush()) throw std::runtime_error("cannot write " + temp.string());
    }
    fs::rename(temp, out);
}

int Usage() {
    std::cerr << "usage: PakWrite [--plain] <out.pak> <input dir> [file ...]\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    int32_t version = PAK_VERSION_PACKED;
    if (!args.empty() && args.front() == "--plain") {
        version = PAK_VERSION_PLAIN;
        args.erase(args.begin());
    }
    if (args.size() < 2) return Usage();
    try {
        fs::path out = args[0];
        fs::path root = args[1];
        if (!fs::is_directory(root)) throw std::runtime_error(root.string() + " is not a folder");
        std::vector<fs::path> files;
        if (args.size() > 2) {
            files.assign(args.begin() + 2, args.end());
        } else {
            files = ScanFolder(root);
        }

        std::vector<TPakEntry> entries;
        std::set<std::string> names;
        for (const fs::path& rel : files) {
            TPakEntry entry;
            entry.Name = PakLowerName(rel.lexically_normal().generic_string());
            if (!names.insert(entry.Name).second)
                throw std::runtime_error("two files map to the entry name '" + entry.Name + "'");
            entry.VarType = ExtensionType(entry.Name);
            entry.Data = ReadWhole(root / rel);
            entries.push_back(std::move(entry));
        }
        std::sort(entries.begin(), entries.end(),
                  [](const TPakEntry& a, const TPakEntry& b) { return a.Name < b.Name; });
        WriteArchive(out, WritePakArchive(entries, version));
        std::cout << "PakWrite: " << entries.size() << " entries -> " << out.string() << "\n";
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "PakWrite: " << e.what() << "\n";
        return 1;
    }
}
