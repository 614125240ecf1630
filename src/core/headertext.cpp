#include "headertext.h"

#include <QFile>
#include <QLocale>

namespace nibble {

QString buildDate()
{
    return QStringLiteral(__DATE__);
}

QString headerTemplate()
{
    QFile file(QStringLiteral(":/text/header.h"));
    file.open(QIODevice::ReadOnly | QIODevice::Text);
    const QByteArray bytes = file.readAll();
    const qsizetype nul = bytes.indexOf('\0');
    return QString::fromLatin1(nul < 0 ? bytes : bytes.left(nul));
}

QString generationTimeText(const QDateTime &when)
{
    return QLocale::system().toString(when, QStringLiteral("d MMM yyyy  h:mm:ss"));
}

QString commentSafe(const QString &path)
{
    // A backslash between the star and the slash: "*/" would end the comment and "/*" is
    // warned about (an error under -Werror), while the path still reads plainly.
    QString safe = path;
    return safe.replace(QLatin1String("*/"), QLatin1String("*\\/"))
            .replace(QLatin1String("/*"), QLatin1String("/\\*"));
}

QString fillHeaderTemplate(const QString &headerTemplate, const HeaderFields &fields)
{
    const int width = fields.pictureSize.width();
    const int height = fields.pictureSize.height();
    const QString bytes = QString::number(fields.byteCount);

    // The date goes in first and on its own; the rest in one pass, so that a "%1" or "%10"
    // inside the picture's path is left as it stands.
    return headerTemplate.arg(buildDate(), 0, QLatin1Char(' '))
            .arg(commentSafe(fields.picturePath), generationTimeText(fields.generated),
                 QString::number(width / 2), QString::number(height), bytes, QString::number(width),
                 QString::number(height), QString::number(2 * fields.byteCount), fields.dataText);
}

} // namespace nibble
