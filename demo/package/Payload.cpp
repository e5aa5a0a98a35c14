#include "Payload.h"

#include <archive.h>
#include <archive_entry.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <memory>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace demo {

namespace {

struct Fd {
    int fd = -1;
    ~Fd() {
        if (fd >= 0)
            close(fd);
    }
};

struct Mapping {
    void* data = MAP_FAILED;
    size_t size = 0;
    ~Mapping() {
        if (data != MAP_FAILED)
            munmap(data, size);
    }
};

using ArchivePtr = std::unique_ptr<archive, int (*)(archive*)>;

void PutU64(unsigned char* p, uint64_t v) {
    for (int i = 0; i < 8; ++i)
        p[i] = static_cast<unsigned char>(v >> (8 * i));
}

uint64_t GetU64(const unsigned char* p) {
    uint64_t v = 0;
    for (int i = 7; i >= 0; --i)
        v = (v << 8) | p[i];
    return v;
}

bool Fail(std::string* error, const std::string& text) {
    if (error)
        *error = text;
    return false;
}

bool SafeName(const std::string& name) {
    std::filesystem::path p(name);
    if (name.empty() || p.is_absolute())
        return false;
    for (const auto& part : p)
        if (part == ".." || part == ".")
            return false;
    return true;
}

}  // namespace

std::optional<std::vector<PayloadEntry>> ReadPayload(const std::filesystem::path& package, std::string* error) {
    Fd file{open(package.c_str(), O_RDONLY | O_CLOEXEC)};
    struct stat st{};
    if (file.fd < 0 || fstat(file.fd, &st) != 0) {
        Fail(error, "无法读取安装包：" + package.string() + "（" + std::strerror(errno) + "）");
        return std::nullopt;
    }
    Mapping map;
    map.size = static_cast<size_t>(st.st_size);
    if (map.size < PayloadTrailer::kSize ||
        (map.data = mmap(nullptr, map.size, PROT_READ, MAP_PRIVATE, file.fd, 0)) == MAP_FAILED) {
        Fail(error, "安装包数据已损坏");
        return std::nullopt;
    }
    const auto* bytes = static_cast<const unsigned char*>(map.data);
    const unsigned char* trailer = bytes + map.size - PayloadTrailer::kSize;
    uint64_t offset = GetU64(trailer + 8);
    uint64_t size = GetU64(trailer + 16);
    if (std::memcmp(trailer, PayloadTrailer::kMagic, 8) != 0 || offset > map.size ||
        size > map.size - PayloadTrailer::kSize - offset) {
        Fail(error, "安装包数据已损坏");
        return std::nullopt;
    }

    ArchivePtr reader(archive_read_new(), archive_read_free);
    archive_read_support_format_tar(reader.get());
    if (archive_read_open_memory(reader.get(), bytes + offset, size) != ARCHIVE_OK) {
        Fail(error, std::string("安装包数据已损坏：") + archive_error_string(reader.get()));
        return std::nullopt;
    }
    std::vector<PayloadEntry> entries;
    archive_entry* header = nullptr;
    int rc;
    while ((rc = archive_read_next_header(reader.get(), &header)) == ARCHIVE_OK) {
        if (archive_entry_filetype(header) != AE_IFREG)
            continue;
        PayloadEntry entry;
        entry.name = archive_entry_pathname(header);
        entry.mode = archive_entry_perm(header) & 0777;
        if (!SafeName(entry.name)) {
            Fail(error, "安装包含有无效的文件名：" + entry.name);
            return std::nullopt;
        }
        entry.bytes.resize(static_cast<size_t>(archive_entry_size(header)));
        la_ssize_t got = archive_read_data(reader.get(), entry.bytes.data(), entry.bytes.size());
        if (got < 0 || static_cast<size_t>(got) != entry.bytes.size()) {
            Fail(error, "安装包数据已损坏：" + entry.name);
            return std::nullopt;
        }
        entries.push_back(std::move(entry));
    }
    if (rc != ARCHIVE_EOF || entries.empty()) {
        Fail(error, "安装包数据已损坏");
        return std::nullopt;
    }
    return entries;
}

bool WritePackage(const std::filesystem::path& stub, const std::vector<PayloadEntry>& entries,
                  const std::filesystem::path& out, std::string* error) {
    std::ifstream in(stub, std::ios::binary);
    if (!in)
        return Fail(error, "cannot read " + stub.string());
    std::string program((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::filesystem::path temp = out;
    temp += ".tmp";
    Fd file{open(temp.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0755)};
    if (file.fd < 0 || write(file.fd, program.data(), program.size()) != static_cast<ssize_t>(program.size()))
        return Fail(error, "cannot write " + temp.string());

    ArchivePtr writer(archive_write_new(), archive_write_free);
    archive_write_set_format_pax_restricted(writer.get());
    archive_write_set_bytes_in_last_block(writer.get(), 1);
    if (archive_write_open_fd(writer.get(), file.fd) != ARCHIVE_OK)
        return Fail(error, archive_error_string(writer.get()));
    for (const auto& e : entries) {
        std::unique_ptr<archive_entry, void (*)(archive_entry*)> header(archive_entry_new(), archive_entry_free);
        archive_entry_set_pathname(header.get(), e.name.c_str());
        archive_entry_set_filetype(header.get(), AE_IFREG);
        archive_entry_set_perm(header.get(), e.mode);
        archive_entry_set_size(header.get(), static_cast<la_int64_t>(e.bytes.size()));
        if (archive_write_header(writer.get(), header.get()) != ARCHIVE_OK ||
            archive_write_data(writer.get(), e.bytes.data(), e.bytes.size()) !=
                static_cast<la_ssize_t>(e.bytes.size()))
            return Fail(error, archive_error_string(writer.get()));
    }
    if (archive_write_close(writer.get()) != ARCHIVE_OK)
        return Fail(error, archive_error_string(writer.get()));

    off_t end = lseek(file.fd, 0, SEEK_END);
    unsigned char trailer[PayloadTrailer::kSize];
    std::memcpy(trailer, PayloadTrailer::kMagic, 8);
    PutU64(trailer + 8, program.size());
    PutU64(trailer + 16, static_cast<uint64_t>(end) - program.size());
    if (end < 0 || write(file.fd, trailer, sizeof trailer) != static_cast<ssize_t>(sizeof trailer) ||
        std::rename(temp.c_str(), out.c_str()) != 0)
        return Fail(error, "cannot write " + out.string());
    return true;
}

}  // namespace demo
