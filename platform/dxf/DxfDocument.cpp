#include "DxfDocument.h"

#include "DxfBinary.h"
#include "DxfError.h"
#include "DxfFile.h"

#include <cstdlib>
#include <cstring>
#include <system_error>

namespace {

std::unique_ptr<char[]> copyOf(std::string_view bytes)
{
    auto buffer = std::make_unique_for_overwrite<char[]>(bytes.size() + 1);
    std::memcpy(buffer.get(), bytes.data(), bytes.size());
    buffer[bytes.size()] = '\0';
    return buffer;
}

bool startsWithBom(std::string_view bytes)
{
    return bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF";
}

} // namespace

DxfDocument DxfDocument::load(const std::filesystem::path& path)
{
    // A big drawing is mapped where the system allows, so that its text
    // need not stay in memory beside the objects read from it. A small one
    // is read into memory: it costs little there, and a copy of our own
    // stays savable whatever another program does to the file meanwhile.
    // DDS_DXF_MAP_FILE=off reads every file, =always maps every file (for
    // measuring both ways, and for file systems whose files other machines
    // may rewrite in place).
    const char* map = std::getenv("DDS_DXF_MAP_FILE");
    const std::string_view mode = map ? map : "";
    std::error_code sizeUnknown;
    const std::uintmax_t size = std::filesystem::file_size(path, sizeUnknown);
    const bool mayMap =
        mode == "always" || (mode != "off" && !sizeUnknown && size >= kDxfMapFromBytes);
    if (std::unique_ptr<DxfFileMapping> mapping = mayMap ? DxfFileMapping::open(path) : nullptr) {
        if (!dxfIsBinary(mapping->bytes())) {
            DxfDocument doc = fromMapping(std::move(mapping));
            if (!doc.mapping_->unchanged())
                throw DxfError(0, "'" + path.string() +
                                      "' was changed on disk by another program while it was read; open it again");
            return doc;
        }
        std::string text = dxfBinaryToText(mapping->bytes());
        return fromBuffer(copyOf(text), text.size(), true);
    }
    DxfFileBytes file = dxfReadFile(path);
    std::string_view bytes(file.data.get(), file.size);
    if (dxfIsBinary(bytes)) {
        std::string text = dxfBinaryToText(bytes);
        return fromBuffer(copyOf(text), text.size(), true);
    }
    return fromBuffer(std::move(file.data), file.size, false);
}

DxfDocument DxfDocument::parse(std::string_view bytes)
{
    if (dxfIsBinary(bytes)) {
        std::string text = dxfBinaryToText(bytes);
        return fromBuffer(copyOf(text), text.size(), true);
    }
    return fromBuffer(copyOf(bytes), bytes.size(), false);
}

DxfDocument DxfDocument::fromBuffer(std::unique_ptr<char[]> buffer, size_t size, bool wasBinary)
{
    DxfDocument doc;
    doc.buffer_ = std::move(buffer);
    doc.data_ = doc.buffer_.get();
    doc.size_ = size;
    doc.wasBinary_ = wasBinary;
    doc.readText();
    return doc;
}

DxfDocument DxfDocument::fromMapping(std::unique_ptr<DxfFileMapping> mapping)
{
    DxfDocument doc;
    doc.mapping_ = std::move(mapping);
    doc.data_ = doc.mapping_->bytes().data();
    doc.size_ = doc.mapping_->bytes().size();
    doc.readText();
    return doc;
}

void DxfDocument::readText()
{
    std::string_view text = bytes();
    // A UTF-8 byte order mark, which some writers put first, stays in the
    // bytes before the first section.
    split(startsWithBom(text) ? 3 : 0);
    size_t lf = text.find('\n');
    lineEnding_ = (lf != std::string_view::npos && lf > 0 && text[lf - 1] == '\r') ? DxfLineEnding::CrLf
                                                                                   : DxfLineEnding::Lf;
    detectEncoding();
}

void DxfDocument::releaseText(size_t begin, size_t end) const
{
    if (mapping_)
        mapping_->release(begin, end);
}

void DxfDocument::checkTextUnchanged() const
{
    if (mapping_ && !mapping_->unchanged())
        throw DxfError(0, "'" + mapping_->path().string() +
                              "' was changed on disk by another program after the drawing was read from it; "
                              "the drawing's unchanged records are copied from that file, which no longer "
                              "holds them, so nothing was written");
}

void DxfDocument::detectEncoding()
{
    version_ = DxfVersion::R12;
    const DxfHeaderVariable* acadver = headerVariable("$ACADVER");
    bool found = false;
    if (acadver) {
        for (const DxfTag& tag : tags(*acadver)) {
            if (tag.code != 1)
                continue;
            std::optional<DxfVersion> version = dxfVersionFromName(tag.trimmed());
            if (std::string_view old = dxfOlderThanR12(tag.trimmed()); !version && !old.empty()) {
                // What these versions have, R12 has too: they read as R12.
                warnings_.push_back("line " + std::to_string(tag.valueLine()) + ": version " +
                                    std::string(tag.trimmed()) + " (" + std::string(old) +
                                    ") is read as R12 (AC1009)");
                version = DxfVersion::R12;
            }
            if (!version)
                throw DxfError(tag.valueLine(), "unknown DXF version " + dxfQuote(tag.trimmed()));
            version_ = *version;
            found = true;
            break;
        }
    }
    if (!found)
        warnings_.push_back("the header names no DXF version ($ACADVER); the file is read as R12 (AC1009)");

    std::string_view codePageName;
    if (const DxfHeaderVariable* codepage = headerVariable("$DWGCODEPAGE")) {
        for (const DxfTag& tag : tags(*codepage)) {
            if (tag.code == 3) {
                codePageName = tag.trimmed();
                break;
            }
        }
    }
    std::string warning;
    codePage_ = dxfTextCodePage(version_, codePageName, &warning);
    if (!warning.empty())
        warnings_.push_back(std::move(warning));
}

const DxfSection* DxfDocument::section(std::string_view name) const
{
    for (const DxfSection& s : sections_)
        if (s.name == name)
            return &s;
    return nullptr;
}

const DxfHeaderVariable* DxfDocument::headerVariable(std::string_view name) const
{
    for (const DxfHeaderVariable& v : variables_)
        if (v.name == name)
            return &v;
    return nullptr;
}

const DxfTable* DxfDocument::table(std::string_view name) const
{
    for (const DxfTable& t : tables_)
        if (dxfTrim(t.name) == name)
            return &t;
    return nullptr;
}

DxfTagRange DxfDocument::tags(const DxfRecord& record) const
{
    return DxfTagRange(bytes(), record.byteBegin, record.byteEnd, record.firstLine);
}

DxfTagRange DxfDocument::tags(const DxfHeaderVariable& variable) const
{
    return DxfTagRange(bytes(), variable.valueBegin, variable.byteEnd, variable.firstLine + 2);
}
