#include "persist/project_file.h"

#include "app/bounded_read.h"
#include "app/byte_reader.h"
#include "app/byte_writer.h"
#include "app/file_io.h"
#include "app/guard.h"
#include "app/unicode_text.h"
#include "app/user_message.h"

namespace qv {
namespace {

// Every object record takes at least this many bytes: markers and glyph, an empty text, the
// fixed fields, an empty shifted name, an empty path and the geometry.
constexpr size_t kMinRecordSize = 12 + 1 + 144 + 4 + 1 + 20;

void WriteColour(ByteWriter& out, const Hls& c) {
    out.WriteF32(c.h);
    out.WriteF32(c.s);
    out.WriteF32(c.l);
}

bool ReadColour(ByteReader& in, Hls& c) { return in.ReadF32(c.h) && in.ReadF32(c.s) && in.ReadF32(c.l); }

// Byte i of the name is stored as (character + i) mod 256. A name code page 1252 holds is
// stored in it, as always; any other name has no 8-bit form and is stored as UTF-8.
void WriteShifted(ByteWriter& out, const std::string& name) {
    std::string text;
    if (!TextToCp1252(name, text)) text = CleanUtf8(name);
    out.WriteI32(static_cast<int32_t>(text.size()));
    for (size_t i = 0; i < text.size(); ++i) {
        out.WriteU8(static_cast<uint8_t>(static_cast<uint8_t>(text[i]) + i));
    }
}

// UTF-8 is taken as such only when it names a character code page 1252 lacks, which an 8-bit
// name cannot; every other name is code page 1252.
std::string NameFromBytes(const std::string& bytes) {
    std::string cp1252;
    if (IsValidUtf8(bytes) && !TextToCp1252(bytes, cp1252)) return bytes;
    return TextFromCp1252(bytes);
}

bool ReadShifted(ByteReader& in, std::string& name) {
    int32_t count = 0;
    if (!in.ReadI32(count) || count < 0 || static_cast<size_t>(count) > in.Remaining()) return false;
    std::string text(static_cast<size_t>(count), '\0');
    for (size_t i = 0; i < text.size(); ++i) {
        uint8_t b = 0;
        in.ReadU8(b);
        text[i] = static_cast<char>(static_cast<uint8_t>(b - i));
    }
    name = NameFromBytes(text);
    return true;
}

// Fields 3 to 37 of an object record, in file order. The same list serves the writer and the
// reader, so the two can never disagree about the layout.
template <class Io, class Object>
bool ObjectFields(Io& io, Object& o) {
    auto& lt = o.lt;
    return io.I32(lt.glyph) && io.Text(lt.str) && io.F32(lt.aspect) && io.I32(lt.size) &&
           io.I32(lt.width) && io.I32(lt.spacing) && io.F32(lt.rotation) && io.F32(lt.bend) &&
           io.I32(lt.bend_inside) && io.I32(lt.bend_on) && io.I32(lt.transform) &&
           io.Colour(lt.color) && io.I32(lt.outline) && io.I32(lt.shadow) && io.I32(lt.strength) &&
           io.F32(lt.outline_opacity) && io.F32(lt.outline_sharpness) &&
           io.Colour(lt.outline_color) && io.I32(lt.shadow_angle) && io.I32(lt.shadow_distance) &&
           io.F32(lt.shadow_opacity) && io.Colour(lt.shadow_color) && io.I32(lt.grad) &&
           io.I32(lt.grad_angle) && io.Colour(lt.grad_color1) && io.Colour(lt.grad_color2) &&
           io.F32(lt.grad_opacity1) && io.F32(lt.grad_opacity2) && io.Shifted(lt.font) &&
           io.String(o.path) && io.I32(o.x) && io.I32(o.y) && io.I32(o.w) && io.I32(o.h) &&
           io.I32(o.type);
}

struct FieldWriter {
    ByteWriter& out;
    bool I32(const int& v) { return out.WriteI32(v), true; }
    bool F32(const float& v) { return out.WriteF32(v), true; }
    bool Colour(const Hls& c) { return WriteColour(out, c), true; }
    bool String(const std::string& s) { return out.WriteString(s), true; }
    bool Text(const std::string& s) { return out.WriteText(s), true; }
    bool Shifted(const std::string& s) { return WriteShifted(out, s), true; }
};

struct FieldReader {
    ByteReader& in;
    bool I32(int& v) { return in.ReadI32(v); }
    bool F32(float& v) { return in.ReadF32(v); }
    bool Colour(Hls& c) { return ReadColour(in, c); }
    bool String(std::string& s) { return in.ReadString(s); }
    bool Text(std::string& s) { return in.ReadText(s); }
    bool Shifted(std::string& s) { return ReadShifted(in, s); }
};

void WriteObject(ByteWriter& out, const LogoObj& o) {
    out.WriteI32(0);  // record marker
    out.WriteI32(0);  // style version
    FieldWriter writer{out};
    ObjectFields(writer, o);
}

ProjectReadResult ReadObject(ByteReader& in, LogoObj& o) {
    int32_t marker = -1, style_version = -1;
    if (!in.ReadI32(marker) || !in.ReadI32(style_version)) return ProjectReadResult::kDamaged;
    if (marker != 0 || style_version != 0) return ProjectReadResult::kWrongVersion;
    FieldReader reader{in};
    if (!ObjectFields(reader, o)) return ProjectReadResult::kDamaged;
    // Only the three object types exist; anything else is a record this version does not know.
    if (o.type < LogoObj::kText || o.type > LogoObj::kCustom) return ProjectReadResult::kWrongVersion;
    return ProjectReadResult::kOk;
}

}  // namespace

std::vector<uint8_t> WriteProjectBytes(const LeFile& lf) {
    ByteWriter out;
    out.WriteI32(kProjectMagic);
    out.WriteI32(kProjectVersion);
    WriteColour(out, lf.bgc);
    out.WriteI32(lf.objs);
    out.WriteI32(lf.cur);
    out.WriteI32(lf.fixed);
    out.WriteI32(lf.cw);
    out.WriteI32(lf.ch);
    for (int n = 0; n < lf.objs; ++n) {
        const LogoObj* o = lf.obj[n].get();
        if (!QV_CHECK_T("obj[n]!=NULL", o != nullptr)) continue;
        WriteObject(out, *o);
    }
    return std::move(out.Bytes());
}

ProjectReadResult ReadProjectBytes(const uint8_t* data, size_t size, LeFile& lf) {
    ByteReader in(data, size);
    int32_t magic = 0, version = 0;
    if (!in.ReadI32(magic) || magic != kProjectMagic) return ProjectReadResult::kWrongVersion;
    if (!in.ReadI32(version)) return ProjectReadResult::kDamaged;
    if (static_cast<uint32_t>(version) > static_cast<uint32_t>(kProjectVersion)) {
        return ProjectReadResult::kWrongVersion;
    }

    // Read into a fresh document so that a failure part-way leaves `lf` untouched.
    LeFile doc;
    doc.Clear();
    doc.cw = lf.cw;
    doc.ch = lf.ch;
    int32_t objs = 0, cur = -1;
    if (!ReadColour(in, doc.bgc) || !in.ReadI32(objs) || !in.ReadI32(cur)) {
        return ProjectReadResult::kDamaged;
    }
    if (version > 1 && !(in.ReadI32(doc.fixed) && in.ReadI32(doc.cw) && in.ReadI32(doc.ch))) {
        return ProjectReadResult::kDamaged;
    }
    if (objs < 0 || objs > kMaxObjects) return ProjectReadResult::kWrongVersion;
    if (static_cast<size_t>(objs) * kMinRecordSize > in.Remaining()) return ProjectReadResult::kDamaged;
    for (int n = 0; n < objs; ++n) {
        auto o = std::make_unique<LogoObj>();
        const ProjectReadResult result = ReadObject(in, *o);
        if (result != ProjectReadResult::kOk) return result;
        doc.obj[n] = std::move(o);
        doc.objs = n + 1;
    }
    // The current index is not trusted: out of range means no current object.
    doc.cur = (cur >= -1 && cur < objs) ? cur : -1;
    lf.CopyFrom(doc);
    return ProjectReadResult::kOk;
}

bool SaveProject(const std::string& path, const LeFile& lf) {
    if (!WriteFileAtomically(path, WriteProjectBytes(lf))) {
        ShowMessage(kCannotSavePrefix + path);
        return false;
    }
    return true;
}

bool LoadProject(const std::string& path, LeFile& lf) {
    std::vector<uint8_t> bytes;
    // A project names no more than 100 objects; anything near the cap is not a project. A FIFO
    // or device is refused rather than waited on.
    constexpr uint64_t kMaxProjectBytes = uint64_t{256} << 20;
    if (ReadRegularFile(path, kMaxProjectBytes, bytes) != BoundedReadStatus::kOk) {
        ShowMessage(kCannotOpenPrefix + path);
        return false;
    }
    switch (ReadProjectBytes(bytes.data(), bytes.size(), lf)) {
        case ProjectReadResult::kOk:
            return true;
        case ProjectReadResult::kWrongVersion:
            ShowMessage(kWrongVersionMessage);
            return false;
        case ProjectReadResult::kDamaged:
            break;
    }
    ShowMessage(kCannotOpenPrefix + path);
    return false;
}

}  // namespace qv
