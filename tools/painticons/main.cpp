// Paints the program's pictures: resources/img/{Logo,qt,Shutdown}.png and the Windows icon
// resources/nibblecast.ico. Run by hand when the artwork changes:
//   painticons <path to resources/>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <QtEndian>

#include <cstdio>

namespace {

void paintGrass(QPainter &p, const QRect &area)
{
    QLinearGradient ground(area.topLeft(), area.bottomLeft());
    ground.setColorAt(0, QColor(70, 120, 40));
    ground.setColorAt(1, QColor(35, 85, 25));
    p.fillRect(area, ground);
    QRandomGenerator random(1965);
    for (int i = 0; i < 900; ++i) {
        const QPointF foot(random.bounded(area.width()), random.bounded(area.height() + 20));
        const QPointF tip = foot + QPointF(random.bounded(9.0) - 4.5, -8 - random.bounded(14.0));
        const int shade = random.bounded(60);
        p.setPen(QPen(QColor(50 + shade, 110 + shade, 30 + shade / 2, 200), 1.2));
        p.drawLine(foot, tip);
    }
}

void paintFlower(QPainter &p, const QPointF &centre, double radius)
{
    p.setPen(Qt::NoPen);
    for (int petal = 0; petal < 14; ++petal) {
        p.save();
        p.translate(centre);
        p.rotate(petal * 360.0 / 14);
        QLinearGradient shade(QPointF(0, 0), QPointF(radius, 0));
        shade.setColorAt(0, QColor(230, 110, 10));
        shade.setColorAt(1, QColor(255, 160, 40));
        p.setBrush(shade);
        p.drawEllipse(QPointF(radius * 0.55, 0), radius * 0.5, radius * 0.17);
        p.restore();
    }
    p.setBrush(QColor(60, 30, 10));
    p.drawEllipse(centre, radius * 0.33, radius * 0.33);
    QRadialGradient middle(centre, radius * 0.24);
    middle.setColorAt(0, QColor(255, 235, 80));
    middle.setColorAt(1, QColor(220, 170, 20));
    p.setBrush(middle);
    p.drawEllipse(centre, radius * 0.24, radius * 0.24);
}

void paintArrow(QPainter &p)
{
    const QColor darkRed(130, 15, 15);
    p.setPen(QPen(darkRed, 9, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath shaft;
    shaft.moveTo(12, 6);
    shaft.lineTo(12, 122);
    shaft.lineTo(58, 122);
    p.drawPath(shaft);
    p.setPen(Qt::NoPen);
    p.setBrush(darkRed);
    p.drawPolygon(QPolygonF({QPointF(56, 109), QPointF(74, 122), QPointF(56, 135)}));
}

void paintPage(QPainter &p)
{
    const QRectF page(78, 84, 62, 64);
    const double fold = 14;
    QPainterPath sheet;
    sheet.moveTo(page.topLeft());
    sheet.lineTo(page.right() - fold, page.top());
    sheet.lineTo(page.right(), page.top() + fold);
    sheet.lineTo(page.bottomRight());
    sheet.lineTo(page.bottomLeft());
    sheet.closeSubpath();
    p.setPen(QPen(QColor(120, 120, 120), 1));
    p.setBrush(Qt::white);
    p.drawPath(sheet);
    p.setBrush(QColor(205, 205, 205));
    p.drawPolygon(QPolygonF({QPointF(page.right() - fold, page.top()),
                             QPointF(page.right() - fold, page.top() + fold),
                             QPointF(page.right(), page.top() + fold)}));

    QFont code(QStringLiteral("DejaVu Sans Mono"));
    code.setPixelSize(4);
    p.setFont(code);
    p.setPen(QColor(60, 60, 60));
    const char *lines[] = {"#define W 128", "#define H 96", "static const", "0xf0, 0x52,"};
    for (int i = 0; i < 4; ++i)
        p.drawText(QPointF(page.left() + 4, page.top() + 8 + i * 5), QString::fromLatin1(lines[i]));

    QFont big(QStringLiteral("DejaVu Sans"));
    big.setPixelSize(30);
    big.setBold(true);
    p.setFont(big);
    p.setPen(QColor(210, 20, 20));
    p.drawText(QRectF(page.left(), page.top() + 24, page.width(), 38), Qt::AlignCenter,
               QStringLiteral(".h"));
}

QImage logo()
{
    QImage image(146, 152, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paintGrass(p, image.rect());
    paintFlower(p, QPointF(88, 52), 46);
    paintArrow(p);
    paintPage(p);
    return image;
}

QImage qtLogo()
{
    QImage image(128, 128, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRect square(6, 6, 116, 116);
    p.fillRect(square, QColor(65, 205, 82));
    p.fillRect(QRect(square.left(), square.top(), 14, square.height()), QColor(30, 130, 45));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(70);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(square.adjusted(14, 0, 0, 0), Qt::AlignCenter, QStringLiteral("Qt"));
    return image;
}

QImage shutdown()
{
    QImage image(256, 256, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(128, 136);
    QRadialGradient gloss(centre - QPointF(30, 40), 150);
    gloss.setColorAt(0, QColor(255, 110, 100));
    gloss.setColorAt(0.5, QColor(215, 20, 20));
    gloss.setColorAt(1, QColor(120, 0, 0));

    QPen ring(QBrush(gloss), 34, Qt::SolidLine, Qt::RoundCap);
    p.setPen(ring);
    p.drawArc(QRectF(centre.x() - 88, centre.y() - 88, 176, 176), 60 * 16, -300 * 16);
    p.drawLine(QPointF(128, 24), QPointF(128, 128));

    p.setPen(QPen(QColor(255, 255, 255, 110), 8, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(centre.x() - 92, centre.y() - 92, 184, 184), 165 * 16, -35 * 16);
    p.drawLine(QPointF(122, 34), QPointF(122, 70));
    return image;
}

// A Windows icon with one 48 x 48, 24-bit image and an all-zero (fully opaque) mask.
QByteArray windowsIcon(const QImage &picture)
{
    const int size = 48;
    const QImage image = picture.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                 .convertToFormat(QImage::Format_RGB888);
    const int colourRow = size * 3; // already a multiple of 4
    const int maskRow = ((size + 31) / 32) * 4; // 1 bit a pixel, rows padded to 32 bits
    const int bitmapSize = 40 + size * colourRow + size * maskRow;

    QByteArray out;
    auto put16 = [&out](quint16 v) {
        out.append(reinterpret_cast<const char *>(&(v = qToLittleEndian(v))), 2);
    };
    auto put32 = [&out](quint32 v) {
        out.append(reinterpret_cast<const char *>(&(v = qToLittleEndian(v))), 4);
    };
    put16(0); // reserved
    put16(1); // type: icon
    put16(1); // one image
    out.append(char(size)).append(char(size)).append(char(0)).append(char(0));
    put16(1); // planes
    put16(24); // bits per pixel
    put32(bitmapSize);
    put32(6 + 16); // offset of the bitmap
    put32(40); // BITMAPINFOHEADER
    put32(size);
    put32(2 * size); // colour bitmap and mask stacked
    put16(1);
    put16(24);
    put32(0); // no compression
    put32(size * colourRow + size * maskRow);
    put32(0);
    put32(0);
    put32(0);
    put32(0);
    for (int y = size - 1; y >= 0; --y) {
        const uchar *line = image.constScanLine(y);
        for (int x = 0; x < size; ++x)
            out.append(char(line[3 * x + 2]))
                    .append(char(line[3 * x + 1]))
                    .append(char(line[3 * x]));
    }
    out.append(QByteArray(size * maskRow, '\0'));
    return out;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: painticons <resources folder>\n");
        return 2;
    }
    const QDir resources(QString::fromLocal8Bit(argv[1]));
    const QImage theLogo = logo();
    bool ok = theLogo.save(resources.filePath("img/Logo.png"), "PNG")
            && qtLogo().save(resources.filePath("img/qt.png"), "PNG")
            && shutdown().save(resources.filePath("img/Shutdown.png"), "PNG");
    QFile ico(resources.filePath("nibblecast.ico"));
    ok = ok && ico.open(QIODevice::WriteOnly) && ico.write(windowsIcon(theLogo)) > 0;
    return ok ? 0 : 1;
}
