#include "content/EditorFiles.h"

#include "content/RtfText.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QTextDocument>

namespace editorfiles {

namespace {

bool looksBinary(const QByteArray& head)
{
    // Text has no NUL bytes and few control characters; word processors' and pictures' files do.
    int control = 0;
    for (const char c : head) {
        const auto u = static_cast<unsigned char>(c);
        if (u == 0)
            return true;
        if (u < 0x20 && u != '\t' && u != '\n' && u != '\r' && u != '\f')
            ++control;
    }
    return control > head.size() / 20;
}

QString decodedText(const QByteArray& bytes)
{
    if (const std::optional<QStringConverter::Encoding> bom = QStringConverter::encodingForData(bytes)) {
        QStringDecoder decoder(*bom); // the mark itself is not text
        const QString text = decoder.decode(bytes);
        if (!decoder.hasError())
            return text;
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder ansi("windows-1252");
    return ansi.isValid() ? QString(ansi.decode(bytes)) : QString::fromLatin1(bytes);
}

} // namespace

QString load(const QString& file, QTextDocument& document)
{
    const QString name = QFileInfo(file).fileName();
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return QCoreApplication::translate("EditorFiles", "Cannot open %1").arg(name);
    const QByteArray bytes = f.readAll();
    const bool utf16 = bytes.startsWith("\xff\xfe") || bytes.startsWith("\xfe\xff");
    if (rtf::looksLikeRtf(QString::fromLatin1(bytes.left(16)))) {
        rtf::toDocument(bytes, document);
        return {};
    }
    if (!utf16 && looksBinary(bytes.left(8192)))
        return QCoreApplication::translate(
                   "EditorFiles", "%1 is not a text or rich text file and cannot be opened here.\n"
                                  "Save it as Rich Text Format (*.rtf) or as a text document (*.txt) first.")
            .arg(name);
    document.setPlainText(decodedText(bytes));
    return {};
}

QString save(const QString& file, const QTextDocument& document)
{
    QSaveFile f(file);
    const bool text = file.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive);
    const QByteArray bytes = text ? document.toPlainText().toUtf8() : rtf::fromDocument(document).toLatin1();
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit())
        return QCoreApplication::translate("EditorFiles", "Cannot save %1: %2")
            .arg(QFileInfo(file).fileName(), f.errorString());
    return {};
}

} // namespace editorfiles
