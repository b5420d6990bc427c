#include "TestPrintout.h"

#include "TestFiles.h"

#include "ui/Cp1250.h"
#include "ui/Fonts.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>
#include <QTextFrame>

namespace {

// The resolution at which the sheets are laid out: that of CSS pixels.
constexpr qreal kLayoutDpi = 96;

// Key texts per row of the printed key.
constexpr int kKeyColumns = 5;

const char16_t kTickBox = u'\u2610';

QString Html(const std::string& cp1250)
{
    return FromCp1250(cp1250).toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"));
}

QString Paragraph(const QString& html, const char* style = "")
{
    return QStringLiteral("<p style=\"margin-top: 0; margin-bottom: 0; %1\">").arg(QLatin1String(style))
           + html + QStringLiteral("</p>");
}

// The pass threshold lives in the lower bound of the second score range; a
// bound that cannot be read, or that makes no sense, is left unsaid.
QString PassThresholdText(const TTest& test)
{
    int32_t threshold = 0;
    if (!ReadPassThreshold(test, threshold))
        return {};
    const int questions = test.QuestionCount;
    if (questions <= 0)
        return {};
    if (test.Percentage) {
        if (threshold < 0 || threshold > 100)
            return {};
        // The smallest number of correct answers that reaches the percentage.
        const int needed = int((int64_t(threshold) * questions + 99) / 100);
        return QStringLiteral("Próg zaliczenia: %1% – co najmniej %2 z %3 poprawnych odpowiedzi")
            .arg(threshold)
            .arg(needed)
            .arg(questions);
    }
    // Bounds in points: every correct answer scores one.
    if (threshold < 0 || threshold > questions)
        return {};
    return QStringLiteral("Próg zaliczenia: co najmniej %1 z %2 poprawnych odpowiedzi")
        .arg(threshold)
        .arg(questions);
}

// A table that would run over a page break starts on the next page instead,
// unless it is too high for any page. The tables are taken top to bottom, so
// each one is measured after the moves above it.
void KeepTablesOnOnePage(QTextDocument& document, qreal pageHeight)
{
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    for (QTextFrame* frame : document.rootFrame()->childFrames()) {
        // A pixel's leeway each way: a table that starts right at the top of
        // a page may lie a rounding error above it.
        const QRectF box = layout->frameBoundingRect(frame).adjusted(0, 1, 0, -1);
        const bool straddles = int(box.top() / pageHeight) != int(box.bottom() / pageHeight);
        if (!straddles || box.height() > pageHeight)
            continue;
        QTextFrameFormat format = frame->frameFormat();
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        frame->setFrameFormat(format);
    }
}

} // namespace

QString StudentSheetHtml(const TTest& test, const PrintedVersion& version)
{
    QString html = QStringLiteral("<h1 align=\"center\">") + Html(test.Title) + QStringLiteral("</h1>");
    if (!version.group.isEmpty())
        html += QStringLiteral("<h2 align=\"center\">") + version.group.toHtmlEscaped()
                + QStringLiteral("</h2>");
    const QString description = FromCp1250(test.Description).trimmed();
    if (!description.isEmpty())
        html += Paragraph(description.toHtmlEscaped());
    html += QStringLiteral(
        "<table width=\"100%\" cellspacing=\"0\" cellpadding=\"0\" style=\"margin-top: 12px\">"
        "<tr><td>Imię i nazwisko: ________________________________________</td>"
        "<td align=\"right\">Punkty: ____ / %1</td></tr>"
        "<tr><td style=\"padding-top: 10px\">Klasa: ____________</td>"
        "<td align=\"right\" style=\"padding-top: 10px\">Data: ____________________</td></tr>"
        "</table>").arg(test.QuestionCount);

    // A table of its own for every question keeps it whole on one page. The
    // spacing is tight enough for a question of two lines with three short
    // answers to take about a tenth of a page.
    for (std::size_t i = 0; i < version.questions.size(); ++i) {
        const TQuestion* question = test.GetQuestion(version.questions[i]);
        html += QStringLiteral("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"0\">"
                               "<tr><td style=\"padding-top: 7px\">");
        html += Paragraph(QStringLiteral("<b>%1.</b> ").arg(i + 1) + Html(question->Text),
                          "margin-bottom: 1px");
        const std::vector<int>& answers = version.answers[i];
        for (std::size_t letter = 0; letter < answers.size(); ++letter) {
            const TAnswer* answer = question->GetAnswer(answers[letter]);
            html += Paragraph(QString(QChar(kTickBox)) + QStringLiteral("&nbsp;&nbsp;")
                                  + QChar(char16_t(u'A' + letter)) + QStringLiteral(". ")
                                  + Html(answer->Text),
                              "margin-left: 24px");
        }
        html += QStringLiteral("</td></tr></table>");
    }
    return html;
}

QString AnswerKeySheetHtml(const TTest& test, const PrintedVersion& version)
{
    QString html = QStringLiteral("<h1 align=\"center\">") + Html(test.Title) + QStringLiteral("</h1>")
                   + QStringLiteral("<h2 align=\"center\">Klucz odpowiedzi");
    if (!version.group.isEmpty())
        html += QStringLiteral(" – ") + version.group.toHtmlEscaped();
    html += QStringLiteral("</h2>");
    const QString threshold = PassThresholdText(test);
    if (!threshold.isEmpty())
        html += Paragraph(threshold.toHtmlEscaped(), "margin-bottom: 16px");

    // Row by row, so that a key longer than a page reads on where the last
    // page stopped.
    const int count = int(version.questions.size());
    for (int i = 0; i < count; ++i) {
        if (i % kKeyColumns == 0)
            html += QStringLiteral("<table cellspacing=\"0\" cellpadding=\"3\"><tr>");
        html += QStringLiteral("<td width=\"110\" style=\"font-size: 12pt; font-weight: bold\">")
                + Html(VersionKeyText(test, version, i)) + QStringLiteral("</td>");
        if (i % kKeyColumns == kKeyColumns - 1 || i == count - 1)
            html += QStringLiteral("</tr></table>");
    }
    return html;
}

void PrintHtml(const QStringList& documents, QPrinter* printer)
{
    QPainter painter;
    // Runs inside the print preview's own signal: nothing may be thrown
    // here, and a printer that cannot start has nothing to show.
    if (!painter.begin(printer))
        return;

    // The documents are laid out at the resolution their CSS pixels are
    // meant for and painted scaled to the printer's. Laid out on the printer
    // itself, margins given in pixels would shrink to specks.
    QImage layoutDevice(1, 1, QImage::Format_RGB32);
    layoutDevice.setDotsPerMeterX(qRound(kLayoutDpi / 0.0254));
    layoutDevice.setDotsPerMeterY(qRound(kLayoutDpi / 0.0254));

    // Pages of the body's size, each painted inside the margins, its number
    // in the bottom one.
    const qreal millimetre = kLayoutDpi / 25.4;
    const QRectF paper(QPointF(0, 0), printer->pageLayout().paintRectPixels(kLayoutDpi).size());
    const QRectF body = paper.adjusted(18 * millimetre, 15 * millimetre, -18 * millimetre,
                                       -20 * millimetre);
    const QRectF footer(paper.left(), body.bottom(), paper.width(), paper.bottom() - body.bottom());
    const QPageRanges ranges = printer->pageRanges();

    const qreal scale = printer->resolution() / kLayoutDpi;
    painter.scale(scale, scale);
    // Page ranges count the sheets of paper, across the documents.
    int sheet = 0;
    bool first = true;
    for (const QString& html : documents) {
        QTextDocument document;
        document.documentLayout()->setPaintDevice(&layoutDevice);
        document.setUseDesignMetrics(true);
        QFont font = DesignFont(13);
        font.setPointSize(10);
        document.setDefaultFont(font);
        document.setDocumentMargin(0);
        document.setHtml(html);
        document.setPageSize(body.size());
        KeepTablesOnOnePage(document, body.height());
        const int pageCount = document.pageCount();

        for (int number = 1; number <= pageCount; ++number) {
            ++sheet;
            if (!ranges.isEmpty() && !ranges.contains(sheet))
                continue;
            if (!first)
                printer->newPage();
            first = false;

            const qreal top = (number - 1) * body.height();
            painter.save();
            painter.setClipRect(body);
            painter.translate(body.left(), body.top() - top);
            QAbstractTextDocumentLayout::PaintContext context;
            context.clip = QRectF(0, top, body.width(), body.height());
            context.palette.setColor(QPalette::Text, Qt::black);
            document.documentLayout()->draw(&painter, context);
            painter.restore();

            // Nine points: twelve pixels at the layout's resolution. A size
            // in points would be taken at the printer's and then scaled again.
            painter.setFont(DesignFont(12));
            painter.setPen(Qt::black);
            painter.drawText(footer, Qt::AlignCenter,
                             QStringLiteral("Strona %1 z %2").arg(number).arg(pageCount));
        }
    }
}
