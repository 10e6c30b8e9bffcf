#include "ui/Pictures.h"

#include "platform/JpegImage.h"

#include <QFile>
#include <QPixmapCache>

#include <array>
#include <mutex>

// The resource initialiser of a static library is only linked in when
// something refers to it.
static void InitPictureResources() {
    Q_INIT_RESOURCE(pictures);
}

namespace ui {
namespace {

using enum PictureId;

constexpr QSize kIcon(28, 28);

const std::array<PictureInfo, kPictureCount> kPictures = {{
    {Splash, "splash", QSize(406, 193), palette::NavyDeep},
    {Logo, "logo", QSize(90, 58), palette::NavyDeep},
    {TopPanel, "top-panel", QSize(612, 58), palette::NavyDeep},
    {ButtonBar, "button-bar", QSize(402, 40), palette::Panel},
    {ButtonColumn, "button-column", QSize(76, 290), palette::Panel},
    {ListStripLeft, "list-strip-left", QSize(132, 24), palette::TealDark},
    {ListStripRight, "list-strip-right", QSize(132, 24), palette::TealDark},
    {DialogTexture, "dialog-texture", QSize(64, 64), palette::Paper},
    {AboutUs, "about-us", QSize(406, 194), palette::NavyDeep},
    {AboutProgram, "about-program", QSize(406, 194), palette::NavyDeep},
    {IconPronounce, "icon-pronounce", kIcon, palette::Panel},
    {IconRecord, "icon-record", kIcon, palette::Panel},
    {IconStop, "icon-stop", kIcon, palette::Panel},
    {IconPlay, "icon-play", kIcon, palette::Panel},
    {IconAddWord, "icon-add-word", kIcon, palette::Panel},
    {IconOpenList, "icon-open-list", kIcon, palette::Panel},
    {IconSaveList, "icon-save-list", kIcon, palette::Panel},
    {IconAddItems, "icon-add-items", kIcon, palette::Panel},
    {IconClear, "icon-clear", kIcon, palette::Panel},
    {IconContinue, "icon-continue", kIcon, palette::Panel},
    {Hangman, "hangman", QSize(64, 34), palette::Panel},
}};

} // namespace

const PictureInfo& PictureDescription(PictureId id) {
    return kPictures[static_cast<int>(id)];
}

std::optional<PictureId> PictureByName(std::string_view name) {
    for (const auto& picture : kPictures) {
        if (name == picture.name) {
            return picture.id;
        }
    }
    return std::nullopt;
}

QByteArray PictureBytes(PictureId id) {
    static std::once_flag resources;
    std::call_once(resources, InitPictureResources);
    QFile file(QStringLiteral(":/pictures/%1.jpg").arg(PictureDescription(id).name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QPixmap PictureFromJpeg(const QByteArray& jpeg, QSize size, QColor fill) {
    if (auto image = platform::LoadJpeg(jpeg)) {
        return QPixmap::fromImage(std::move(*image));
    }
    QPixmap blank(size);
    blank.fill(fill);
    return blank;
}

QPixmap Picture(PictureId id) {
    const QString key = QStringLiteral("app-picture:%1").arg(PictureDescription(id).name);
    QPixmap pixmap;
    if (!QPixmapCache::find(key, &pixmap)) {
        pixmap = UncachedPicture(id);
        QPixmapCache::insert(key, pixmap);
    }
    return pixmap;
}

QPixmap UncachedPicture(PictureId id) {
    const PictureInfo& info = PictureDescription(id);
    return PictureFromJpeg(PictureBytes(id), info.size, QColor::fromRgb(info.fill));
}

QPixmap Picture(std::string_view name) {
    const auto id = PictureByName(name);
    return id ? Picture(*id) : QPixmap();
}

} // namespace ui
