#include "output/printout.h"

#include "core/encoding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QSaveFile>

namespace ov::gui {

namespace {
constexpr int kSymbolColumn = 30;
constexpr int kValueColumn = 40;
const QString kLineEnd = QStringLiteral("\r\n");
} // namespace

PrintLine tableRowLine(const QString& name, const QString& symbol, const QString& value)
{
    return {PrintSegment{1, name}, PrintSegment{kSymbolColumn, symbol}, PrintSegment{kValueColumn, value}};
}

QString lineText(const PrintLine& line)
{
    QString out;
    qsizetype lineStart = 0;
    for (const PrintSegment& s : line) {
        const qsizetype target = s.column - 1;
        if (out.size() - lineStart > target) {
            out += kLineEnd;
            lineStart = out.size();
        }
        out += QString(target - (out.size() - lineStart), u' ');
        out += s.text;
    }
    return out;
}

bool printLines(QPrinter& printer, const QFont& font, const QList<PrintLine>& lines, QString* error)
{
    if (printer.outputFormat() == QPrinter::PdfFormat && printer.outputFileName().isEmpty()) {
        *error = QStringLiteral("Není vybrána tiskárna ani soubor, do kterého se má tisknout.");
        return false;
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        *error = printer.outputFileName().isEmpty()
                     ? QStringLiteral("Tiskárnu %1 nelze spustit.").arg(printer.printerName())
                     : QStringLiteral("Do souboru %1 nelze tisknout.")
                           .arg(QDir::toNativeSeparators(printer.outputFileName()));
        return false;
    }
    painter.setFont(font);
    const QFontMetricsF metrics(painter.font(), &printer);
    const qreal lineHeight = metrics.lineSpacing();
    const qreal charWidth = metrics.averageCharWidth();
    const qreal pageHeight = printer.pageLayout().paintRectPixels(printer.resolution()).height();
    qreal y = 0;
    const auto newLine = [&] {
        y += lineHeight;
        if (y + lineHeight > pageHeight) {
            printer.newPage();
            y = 0;
        }
    };
    for (const PrintLine& line : lines) {
        qreal x = 0;
        for (const PrintSegment& s : line) {
            const qreal target = (s.column - 1) * charWidth;
            if (x > target)
                newLine();
            painter.drawText(QPointF(target, y + metrics.ascent()), s.text);
            x = target + metrics.horizontalAdvance(s.text);
        }
        newLine();
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error) {
        *error = QStringLiteral("Tisk nebyl dokončen.");
        return false;
    }
    return true;
}

bool appendToCopy(const QString& path, const QStringList& texts, bool erase, bool separate, QString* error)
{
    QByteArray old;
    if (!erase && QFileInfo::exists(path)) {
        QFile in(path);
        if (!in.open(QIODevice::ReadOnly)) {
            *error = in.errorString();
            return false;
        }
        old = in.readAll();
    }
    const bool windows1250 = !old.isEmpty() && !ov::isValidUtf8(std::string_view(old.constData(), size_t(old.size())));
    QString added;
    if (!old.isEmpty() && !old.endsWith('\n'))
        added += kLineEnd; // a last line left open by another program
    if (separate)
        added += QString(kSeparatorLength, u'-') + kLineEnd;
    for (const QString& t : texts)
        added += t + kLineEnd;
    const std::string utf8 = added.toStdString();
    const std::string bytes = windows1250 ? ov::utf8ToWindows1250(utf8) : utf8;

    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly)) {
        *error = out.errorString();
        return false;
    }
    out.write(old);
    out.write(bytes.data(), qint64(bytes.size()));
    if (!out.commit()) {
        *error = out.errorString();
        return false;
    }
    return true;
}

QStringList readCopy(const QString& path)
{
    QStringList lines;
    if (const auto content = ov::readTextFile(QFile::encodeName(path).toStdString()))
        for (const std::string& l : content->lines)
            lines << QString::fromStdString(l);
    return lines;
}

} // namespace ov::gui
