// Writes the test suite's sample files and our writers' output into DIR/<format>/, one seed
// corpus per decoder.
//
//   make_fuzz_seeds DIR

#include <cstdio>
#include <string>

#include "app/file_io.h"
#include "codecs/encode.h"
#include "persist/project_file.h"
#include "render/library_archive.h"
#include "tests/codecs/library_samples.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
        return 2;
    }
    const std::string root = argv[1];
    int written = 0;
    auto write = [&](int type, const std::string& name, const std::vector<uint8_t>& bytes) {
        const std::string dir = root + "/" + qv::test::FormatName(type);
        if (bytes.empty() || !qv::MakeDirectories(dir) ||
            !qv::WriteFileAtomically(dir + "/" + name, bytes)) {
            std::fprintf(stderr, "cannot write the seed %s/%s\n", dir.c_str(), name.c_str());
            return false;
        }
        ++written;
        return true;
    };
    bool ok = true;
    for (const qv::test::Sample& s : qv::test::AllSamples()) ok &= write(s.type, s.name, s.bytes);

    qv::Image picture = qv::test::MakeExpected(23, 9, true, [](int x, int row) {
        return (qv::test::Rgb(x, row) & 0xFFFFFF) | (uint32_t{qv::test::AlphaAt(x, row)} << 24);
    });
    for (int type : {qv::kImageBmp, qv::kImageJpeg, qv::kImagePng, qv::kImageTiff}) {
        std::vector<uint8_t> bytes;
        ok &= qv::EncodeImage(picture, type, bytes) && write(type, "ours-24", bytes);
    }
    picture.CreateIndices();
    picture.palette_size = 3;
    picture.palette[1].a = 0;
    for (size_t i = 0; i < picture.indices.size(); ++i) picture.indices[i] = i % 3;
    for (int type : {qv::kImageGif, qv::kImagePng}) {
        std::vector<uint8_t> bytes;
        ok &= qv::EncodeImage(picture, type, bytes) && write(type, "ours-8", bytes);
    }
    // The engine's own formats: projects and font archives.
    auto write_named = [&](const std::string& folder, const std::string& name, const std::vector<uint8_t>& bytes) {
        const std::string dir = root + "/" + folder;
        if (!qv::MakeDirectories(dir) || !qv::WriteFileAtomically(dir + "/" + name, bytes)) return false;
        ++written;
        return true;
    };
    {
        qv::LeFile lf;
        ok &= write_named("project", "empty", qv::WriteProjectBytes(lf));
        qv::LogoObj* text = lf.AddObj(0);
        text->lt.str = std::string(300, 'x');
        text->lt.grad = 1;
        qv::LogoObj* shape = lf.AddObj(1);
        shape->lt.font = "Some \xFF Face";
        lf.fixed = 1;
        ok &= write_named("project", "two-objects", qv::WriteProjectBytes(lf));
        std::vector<uint8_t> old = qv::WriteProjectBytes(lf);
        old[4] = 1;  // a version 1 header has no canvas fields
        old.erase(old.begin() + 28, old.begin() + 40);
        ok &= write_named("project", "version-1", old);

        // Texts and names beyond code page 1252 go out in the UTF-16 form: Greek, Arabic and
        // a character beyond the basic plane (a surrogate pair), and a face name in Cyrillic.
        qv::LeFile wide;
        qv::LogoObj* greek = wide.AddObj(0);
        greek->lt.str = "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xAC\xCE\xB4\xCE\xB1 \xD8\xB3\xD9\x84\xD8\xA7\xD9\x85 \xF0\x9F\x98\x80";
        greek->lt.font = "\xD0\x96 Sans";
        qv::LogoObj* custom = wide.AddObj(0);
        custom->lt.str = std::string(300, 'x') + "\xE4\xB8\xAD";
        ok &= write_named("project", "utf16-texts", qv::WriteProjectBytes(wide));
    }
    ok &= write_named("archive", "empty", qv::BuildLibraryArchive({}));
    ok &= write_named("archive", "junk-font",
                      qv::BuildLibraryArchive({{"label", std::vector<uint8_t>(64, 0x11)},
                                               {std::string(300, 'L'), {0, 1, 0, 0, 0, 4}}}));
    std::printf("%d seeds in %s\n", written, root.c_str());
    return ok ? 0 : 1;
}
