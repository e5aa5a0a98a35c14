// Packs the skin's layouts and images into one 7z archive (LZMA2, solid).
// Usage: lp_skin_pack <archive> <folder>... ; every regular file under each
// folder is stored by its path relative to that folder, with "/" separators.
#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <archive> <folder>...\n", argv[0]);
        return 2;
    }
    struct Item {
        std::string name;
        fs::path path;
    };
    std::vector<Item> items;
    for (int i = 2; i < argc; ++i) {
        const fs::path root = argv[i];
        for (const auto& e : fs::recursive_directory_iterator(root)) {
            if (e.is_regular_file()) {
                items.push_back({fs::relative(e.path(), root).generic_string(), e.path()});
            }
        }
    }
    // A stable order keeps the archive byte-identical between builds.
    std::sort(items.begin(), items.end(), [](const Item& a, const Item& b) { return a.name < b.name; });

    archive* a = archive_write_new();
    if (archive_write_set_format_7zip(a) != ARCHIVE_OK ||
        archive_write_set_format_option(a, "7zip", "compression", "lzma2") != ARCHIVE_OK ||
        archive_write_open_filename(a, argv[1]) != ARCHIVE_OK) {
        std::fprintf(stderr, "cannot create %s: %s\n", argv[1], archive_error_string(a));
        archive_write_free(a);
        return 1;
    }
    int rc = 0;
    for (const Item& item : items) {
        std::ifstream in(item.path, std::ios::binary);
        const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        archive_entry* entry = archive_entry_new();
        archive_entry_set_pathname(entry, item.name.c_str());
        archive_entry_set_filetype(entry, AE_IFREG);
        archive_entry_set_perm(entry, 0644);
        archive_entry_set_size(entry, static_cast<la_int64_t>(data.size()));
        archive_entry_set_mtime(entry, 0, 0);
        if (archive_write_header(a, entry) != ARCHIVE_OK ||
            archive_write_data(a, data.data(), data.size()) != static_cast<la_ssize_t>(data.size())) {
            std::fprintf(stderr, "cannot add %s: %s\n", item.name.c_str(), archive_error_string(a));
            rc = 1;
        }
        archive_entry_free(entry);
    }
    if (archive_write_close(a) != ARCHIVE_OK) {
        std::fprintf(stderr, "cannot finish %s: %s\n", argv[1], archive_error_string(a));
        rc = 1;
    }
    archive_write_free(a);
    return rc;
}
