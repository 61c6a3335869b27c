#include "ui/object_clipboard.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QMimeData>

#include "app/file_io.h"
#include "app/user_message.h"
#include "codecs/encode.h"
#include "codecs/image.h"
#include "output/bitmap_import.h"
#include "output/logo_export.h"
#include "persist/project_file.h"
#include "persist/user_folders.h"

namespace qv::ui {

std::vector<uint8_t> PngWithAlpha(const PixelBuffer& with_alpha) {
    std::vector<uint8_t> bytes;
    Image png;
    if (with_alpha.empty() || !png.Create24(with_alpha.width(), with_alpha.height())) return bytes;
    for (int y = 0; y < with_alpha.height(); ++y) {
        uint32_t* row = png.Row(png.height - 1 - y);
        for (int x = 0; x < with_alpha.width(); ++x) row[x] = with_alpha.at(x, y);
    }
    png.has_alpha = true;
    if (!EncodeImage(png, kImagePng, bytes)) bytes.clear();
    return bytes;
}

QMimeData* ObjectMimeData(const LeFile& lf, int n) {
    if (n < 0 || n >= lf.objs || !lf.obj[n]) return nullptr;
    LeFile one;
    one.bgc = lf.bgc;
    LogoObj* o = one.AddObj(LogoObj::kText);
    if (!o) return nullptr;
    o->CopyValueFrom(*lf.obj[n]);
    const std::vector<uint8_t> record = WriteProjectBytes(one);
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kObjectMimeType),
                  QByteArray(reinterpret_cast<const char*>(record.data()), qsizetype(record.size())));
    // The picture is drawn from a copy: copying a logo centres its objects.
    const std::vector<uint8_t> png = PngWithAlpha(CopyLogoImageWithAlpha(one));
    if (!png.empty()) {
        data->setData(QStringLiteral("image/png"),
                      QByteArray(reinterpret_cast<const char*>(png.data()), qsizetype(png.size())));
    }
    return data;
}

int PasteObjectRecord(const QByteArray& record, LeFile& lf) {
    LeFile pasted;
    if (ReadProjectBytes(reinterpret_cast<const uint8_t*>(record.constData()), size_t(record.size()),
                         pasted) != ProjectReadResult::kOk) {
        ShowMessage(kPastedObjectDamagedMessage);
        return 0;
    }
    int added = 0;
    for (int n = 0; n < pasted.objs; ++n) {
        if (!pasted.obj[n]) continue;
        if (!lf.CanAdd()) {
            ShowMessage(kLogoFullMessage);
            break;
        }
        const LogoObj& src = *pasted.obj[n];
        bool covered = false;
        for (int k = 0; k < lf.objs; ++k) {
            const LogoObj* o = lf.obj[k].get();
            if (o && o->type == src.type && o->x == src.x && o->y == src.y) covered = true;
        }
        LogoObj* o = lf.AddObj(LogoObj::kText);
        if (!o) break;
        o->CopyValueFrom(src);
        if (covered) {
            o->x = src.x < 1000000 ? src.x + 10 : src.x;
            o->y = src.y < 1000000 ? src.y + 10 : src.y;
        }
        ++added;
    }
    return added;
}

std::string PastedPictureFolder() {
    return UserDataFolder() + "/pictures";
}

std::string StorePastedPicture(const QImage& picture, const std::string& folder) {
    // A picture an import would refuse is not written out first.
    if (!picture.isNull() && !kPictureLimits.Allows(picture.width(), picture.height())) {
        ShowMessage(PictureMessage("on the clipboard", PictureStatus::kTooLarge));
        return {};
    }
    QByteArray png;
    QBuffer buffer(&png);
    const QString dir = QString::fromStdString(folder);
    if (picture.isNull() || !buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "PNG") ||
        !QDir().mkpath(dir)) {
        ShowMessage(kPastedPictureNotSavedMessage);
        return {};
    }
    const QString stem = QStringLiteral("pasted-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString path = dir + QLatin1Char('/') + stem + QStringLiteral(".png");
    for (int k = 2; QFileInfo::exists(path) && k < 10000; ++k)
        path = dir + QLatin1Char('/') + stem + QStringLiteral("-%1.png").arg(k);
    const std::string local = QFile::encodeName(path).toStdString();
    const std::vector<uint8_t> bytes(png.begin(), png.end());
    if (QFileInfo::exists(path) || !WriteFileAtomically(local, bytes)) {
        ShowMessage(kPastedPictureNotSavedMessage);
        return {};
    }
    return local;
}

bool IsProjectPath(const QString& path) {
    return QFileInfo(path).suffix().compare(QStringLiteral("kuz"), Qt::CaseInsensitive) == 0;
}

bool IsPicturePath(const QString& path) {
    static const char* const kSuffixes[] = {"png", "gif", "jpg", "jpeg", "bmp",
                                            "tif", "tiff", "ico", "tga"};
    const QString suffix = QFileInfo(path).suffix();
    for (const char* s : kSuffixes) {
        if (suffix.compare(QLatin1String(s), Qt::CaseInsensitive) == 0) return true;
    }
    return false;
}

}  // namespace qv::ui
