// Draws Testarion's button pictures (normal and hover, at single and double
// resolution), the application icon, and the resources.qrc that lists them.
// The captions are part of the pictures, so a changed caption means running
// this again: QT_QPA_PLATFORM=offscreen gen_buttons [resources folder]
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>
#include <QTextStream>

#include <cstdio>

namespace {

struct ButtonColours {
    QColor top;
    QColor bottom;
    QColor border;
    QColor caption;
};

enum class Look { Blue, Orange, Grey };

const ButtonColours blue{QColor(0x4a, 0x90, 0xd9), QColor(0x3a, 0x7c, 0xc4),
                         QColor(0x2f, 0x6a, 0xab), Qt::white};
const ButtonColours blueHover{QColor(0x2a, 0x5f, 0xa3), QColor(0x1f, 0x4e, 0x8c),
                              QColor(0x17, 0x3d, 0x70), Qt::white};
const ButtonColours orange{QColor(0xf5, 0x9a, 0x3b), QColor(0xe8, 0x7e, 0x1c),
                           QColor(0xc8, 0x68, 0x10), Qt::white};
const ButtonColours orangeHover{QColor(0xd9, 0x70, 0x12), QColor(0xbd, 0x5b, 0x08),
                                QColor(0x9a, 0x48, 0x04), Qt::white};
const ButtonColours grey{QColor(0xb9, 0xbf, 0xc6), QColor(0xa6, 0xad, 0xb5),
                         QColor(0x93, 0x9a, 0xa3), QColor(0xf7, 0xf7, 0xf7)};

struct Button {
    const char* key;      // file name stem
    const char* caption;  // UTF-8
    int width;
    int height;
    Look look;
};

// Sizes are the layout's: the pages place these pictures at fixed positions.
const Button buttons[] = {
    {"otworz_test", "Otwórz test", 356, 72, Look::Blue},
    {"utworz_nowy_test", "Utwórz nowy test", 356, 72, Look::Blue},
    {"otworz_folder", "Otwórz folder z testami", 356, 45, Look::Blue},
    {"wstecz", "wstecz", 110, 32, Look::Blue},
    {"dalej", "dalej", 110, 32, Look::Blue},
    {"zamknij_test", "zamknij test", 163, 32, Look::Orange},
    {"drukuj_test", "drukuj test", 149, 32, Look::Blue},
    {"edytuj_test", "edytuj test", 149, 32, Look::Blue},
    {"uruchom_test", "uruchom test", 149, 32, Look::Blue},
    {"eksportuj", "eksportuj", 149, 32, Look::Blue},
    {"zapisz_do_pliku", "zapisz do pliku", 149, 32, Look::Blue},
    {"drukuj", "drukuj", 149, 32, Look::Blue},
    {"dodaj_pytanie", "dodaj pytanie", 183, 32, Look::Blue},
    {"usun_pytanie", "usuń pytanie", 183, 32, Look::Blue},
    {"importuj_pytania", "importuj pytania", 183, 32, Look::Blue},
    {"wylosuj", "wylosuj", 110, 32, Look::Blue},
    {"anuluj", "anuluj", 110, 32, Look::Blue},
    {"importuj", "importuj", 110, 32, Look::Blue},
    {"ok", "ok", 110, 32, Look::Blue},
    // Stands in for "ok" while the typed name is refused; it is never hovered.
    {"ok_szary", "ok", 110, 32, Look::Grey},
    // The test runner's.
    {"rozpocznij", "Rozpocznij", 220, 45, Look::Blue},
    {"poprzednie", "poprzednie", 149, 32, Look::Blue},
    {"nastepne", "następne", 149, 32, Look::Blue},
    {"zakoncz_test", "zakończ test", 149, 32, Look::Orange},
    {"zakoncz", "Zakończ", 149, 32, Look::Blue},
    {"zapisz_wyniki_jako", "Zapisz wyniki jako…", 200, 32, Look::Blue},
};

const int iconSizes[] = {256, 128, 48};

bool isBig(const Button& button)
{
    return button.height >= 45;
}

// A caption too wide for its button is shrunk rather than clipped.
QFont captionFont(const QString& family, const Button& button, const QString& caption)
{
    QFont font(family);
    font.setBold(true);
    const qreal padding = isBig(button) ? 24 : 10;
    for (int pixels = isBig(button) ? 22 : 15; pixels > 8; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetricsF(font).horizontalAdvance(caption) <= button.width - 2 * padding)
            break;
    }
    return font;
}

QImage drawButton(const Button& button, const ButtonColours& colours,
                  const QString& family, int scale)
{
    QImage image(button.width * scale, button.height * scale,
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDevicePixelRatio(scale);

    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);

    // Half a pixel in, so that the 1-pixel border falls on whole pixels.
    const QRectF body = QRectF(0, 0, button.width, button.height).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal radius = isBig(button) ? 16 : 8;
    QPainterPath outline;
    outline.addRoundedRect(body, radius, radius);

    QLinearGradient fill(body.topLeft(), body.bottomLeft());
    fill.setColorAt(0, colours.top);
    fill.setColorAt(1, colours.bottom);
    painter.fillPath(outline, fill);

    // A faint sheen on the upper half gives the flat colour some depth.
    QLinearGradient sheen(body.topLeft(), QPointF(body.left(), body.center().y()));
    sheen.setColorAt(0, QColor(255, 255, 255, 60));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    painter.fillPath(outline, sheen);

    painter.setPen(QPen(colours.border, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(outline);

    const QString caption = QString::fromUtf8(button.caption);
    painter.setFont(captionFont(family, button, caption));
    // A soft shadow under the caption keeps white text legible on the lighter blue.
    painter.setPen(QColor(0, 0, 0, button.look == Look::Grey ? 40 : 70));
    painter.drawText(QRectF(body).translated(0, 1), Qt::AlignCenter, caption);
    painter.setPen(colours.caption);
    painter.drawText(body, Qt::AlignCenter, caption);
    return image;
}

// A sheet of paper with three answer boxes, the middle one ticked, drawn on a
// 256-unit grid and scaled to the requested size.
QImage drawIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing);
    painter.scale(size / 256.0, size / 256.0);

    const QColor border(0x2f, 0x6a, 0xab);
    const QColor accent(0x4a, 0x90, 0xd9);
    const QColor pale(0xa6, 0xca, 0xf0);  // the main window's background
    const QColor tickColour(0xe8, 0x7e, 0x1c);  // the orange of "zamknij test"

    const QRectF sheet(40, 14, 176, 228);
    const qreal fold = 46;
    QPainterPath paper;
    paper.moveTo(sheet.left() + 14, sheet.top());
    paper.lineTo(sheet.right() - fold, sheet.top());
    paper.lineTo(sheet.right(), sheet.top() + fold);
    paper.lineTo(sheet.right(), sheet.bottom() - 14);
    paper.quadTo(sheet.bottomRight(), QPointF(sheet.right() - 14, sheet.bottom()));
    paper.lineTo(sheet.left() + 14, sheet.bottom());
    paper.quadTo(sheet.bottomLeft(), QPointF(sheet.left(), sheet.bottom() - 14));
    paper.lineTo(sheet.left(), sheet.top() + 14);
    paper.quadTo(sheet.topLeft(), QPointF(sheet.left() + 14, sheet.top()));
    paper.closeSubpath();

    painter.fillPath(paper.translated(5, 7), QColor(0, 0, 0, 45));
    painter.fillPath(paper, Qt::white);
    painter.setPen(QPen(border, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(paper);

    QPainterPath corner;
    corner.moveTo(sheet.right() - fold, sheet.top());
    corner.lineTo(sheet.right() - fold, sheet.top() + fold - 8);
    corner.quadTo(sheet.right() - fold, sheet.top() + fold, sheet.right() - fold + 8, sheet.top() + fold);
    corner.lineTo(sheet.right(), sheet.top() + fold);
    corner.closeSubpath();
    painter.setBrush(pale);
    painter.drawPath(corner);

    painter.setPen(Qt::NoPen);
    painter.setBrush(accent);
    painter.drawRoundedRect(QRectF(62, 36, 92, 16), 8, 8);

    const qreal rows[] = {82, 134, 186};
    for (qreal top : rows) {
        painter.setPen(QPen(border, 6));
        painter.setBrush(Qt::white);
        painter.drawRoundedRect(QRectF(62, top, 32, 32), 7, 7);
        painter.setPen(Qt::NoPen);
        painter.setBrush(pale);
        painter.drawRoundedRect(QRectF(110, top + 10, 82, 13), 6.5, 6.5);
    }

    // The tick spills out of its box, as a hand-drawn one would; a white halo
    // keeps it apart from the box's border.
    const QPointF tick[] = {{68, 146}, {80, 162}, {110, 116}};
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, 19, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(tick, 3);
    painter.setPen(QPen(tickColour, 12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(tick, 3);
    return image;
}

bool save(const QImage& image, const QDir& root, const QString& relativePath, QStringList& written)
{
    if (!image.save(root.filePath(relativePath), "PNG")) {
        std::fprintf(stderr, "Cannot write %s\n", qPrintable(root.filePath(relativePath)));
        return false;
    }
    written << relativePath;
    return true;
}

bool writeButtons(const QDir& root, const QString& family, QStringList& written)
{
    for (const Button& button : buttons) {
        const QString stem = QStringLiteral("buttons/") + QString::fromLatin1(button.key);
        const ButtonColours& normal = button.look == Look::Orange ? orange
                                    : button.look == Look::Grey   ? grey
                                                                  : blue;
        const ButtonColours& hover = button.look == Look::Orange ? orangeHover : blueHover;
        for (int scale : {1, 2}) {
            const QString suffix = scale == 1 ? QString() : QStringLiteral("@2x");
            if (!save(drawButton(button, normal, family, scale), root,
                      stem + suffix + ".png", written))
                return false;
            if (button.look != Look::Grey
                && !save(drawButton(button, hover, family, scale), root,
                         stem + "_hover" + suffix + ".png", written))
                return false;
        }
    }
    return true;
}

bool writeIcons(const QDir& root, QStringList& written)
{
    for (int size : iconSizes) {
        const QString name = size == 256 ? QStringLiteral("icons/testarion.png")
                                         : QStringLiteral("icons/testarion-%1.png").arg(size);
        if (!save(drawIcon(size), root, name, written))
            return false;
    }
    return true;
}

bool writeResourceList(const QDir& root, const QStringList& files)
{
    QFile qrc(root.filePath("resources.qrc"));
    if (!qrc.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        std::fprintf(stderr, "Cannot write %s\n", qPrintable(qrc.fileName()));
        return false;
    }
    QTextStream out(&qrc);
    out << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n    <qresource prefix=\"/\">\n";
    for (const QString& file : files)
        out << "        <file>" << file << "</file>\n";
    out << "    </qresource>\n</RCC>\n";
    out.flush();
    return qrc.error() == QFile::NoError;
}

}  // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);

    const int fontId = QFontDatabase::addApplicationFont(QStringLiteral(CAPTION_FONT_FILE));
    if (fontId < 0) {
        std::fprintf(stderr, "Cannot load the caption font %s (Debian: fonts-open-sans)\n",
                     CAPTION_FONT_FILE);
        return 1;
    }
    const QString family = QFontDatabase::applicationFontFamilies(fontId).value(0);

    const QDir root(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(RESOURCES_DIR));
    if (!root.mkpath("buttons") || !root.mkpath("icons")) {
        std::fprintf(stderr, "Cannot create the picture folders in %s\n", qPrintable(root.path()));
        return 1;
    }

    QStringList written;
    if (!writeButtons(root, family, written) || !writeIcons(root, written)
        || !writeResourceList(root, written))
        return 1;
    return 0;
}
