#pragma once

#include <QDateTime>
#include <QSize>
#include <QString>

namespace nibble {

struct HeaderFields
{
    QString picturePath;
    QDateTime generated;
    QSize pictureSize; // the working picture, after scaling
    qsizetype byteCount = 0;
    QString dataText;
};

// The day this program was built, as the compiler's date macro writes it ("Mmm dd yyyy").
QString buildDate();

// Read afresh from the resources at every call, line ends as "\n".
QString headerTemplate();

// "d MMM yyyy  h:mm:ss", with the month named in the system locale's language.
QString generationTimeText(const QDateTime &when);

// The path stands inside a C block comment: nothing in it may end that comment early or open
// another.
QString commentSafe(const QString &path);

QString fillHeaderTemplate(const QString &headerTemplate, const HeaderFields &fields);

} // namespace nibble
