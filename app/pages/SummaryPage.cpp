// The summary page: title, question count, answer key, running and printing.

#include "app/TForm1.h"

#include "app/AnswerKey.h"
#include "app/ExchangeFiles.h"
#include "app/Prompts.h"
#include "app/RandomDraw.h"
#include "app/TestPrintout.h"
#include "ui/AnchorLayout.h"
#include "ui/Cp1250.h"
#include "ui/Fonts.h"
#include "ui/HoverPanel.h"
#include "ui/PictureButton.h"
#include "ui/StringGrid.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QStackedWidget>

namespace {

constexpr QSize kKeyCell(70, 20);
constexpr QSize kSummaryButton(149, 32);
// Room the title label leaves of the page's width.
constexpr int kTitleMargin = 130;
// What lies between the page's right edge and the end of the title inside
// the upper panel: the panel's margin in the page (19), its inner margin
// (16) and the title's left edge in it (120) beside the panel's own (16).
// Wider than that, the panel would cut the title off.
constexpr int kTitleRoomMargin = 19 + 16 + 120 + 16;

QLabel* AddLabel(AnchorLayout* layout, QWidget* panel, const char* name, const QString& text,
                 const QRect& design)
{
    auto* label = new QLabel(text, panel);
    label->setObjectName(QLatin1String(name));
    layout->addWidget(label, design);
    return label;
}

PictureButton* AddButton(AnchorLayout* layout, QWidget* panel, const char* name,
                         const char* picture, const QString& caption, QPoint designPlace)
{
    auto* button = new PictureButton(QLatin1String(picture), caption, kSummaryButton, panel);
    button->setObjectName(QLatin1String(name));
    layout->addWidget(button, QRect(designPlace, kSummaryButton),
                      AnchorLayout::Left | AnchorLayout::Bottom);
    return button;
}

// The rows needed to hold `count` cells in `columns` columns, and never
// fewer than `rows`.
int RowsToHold(int count, int columns, int rows)
{
    return qMax(rows, (count + columns - 1) / columns);
}

} // namespace

void TForm1::BuildSummaryPage()
{
    auto* page = static_cast<AnchorLayout*>(ts5->layout());

    jvpnl6 = new HoverPanel(ts5);
    jvpnl6->setObjectName(QStringLiteral("jvpnl6"));
    page->addWidget(jvpnl6, QRect(16, 8, 857, 129),
                    AnchorLayout::Left | AnchorLayout::Top | AnchorLayout::Right);
    auto* upper = new AnchorLayout(QSize(857, 129), jvpnl6);
    AddLabel(upper, jvpnl6, "lbl1", QStringLiteral("Tytuł testu:"), QRect(16, 16, 0, 0));
    // The title label stays out of the layout: its width is set with the
    // title. It keeps to one line, as the question count sits right under it.
    lbl2 = new QLabel(jvpnl6);
    lbl2->setObjectName(QStringLiteral("lbl2"));
    lbl2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lbl2->setFont(DesignFont(19, true));
    QPalette maroon = lbl2->palette();
    maroon.setColor(QPalette::WindowText, QColor(128, 0, 0));
    lbl2->setPalette(maroon);
    lbl2->move(120, 14);
    AddLabel(upper, jvpnl6, "lbl3", QStringLiteral("Ilość pytań:"), QRect(16, 51, 0, 0));
    lbl4 = AddLabel(upper, jvpnl6, "lbl4", QString(), QRect(120, 51, 300, 0));
    OnClick(AddButton(upper, jvpnl6, "imgDrukujTest", "drukuj_test", QStringLiteral("drukuj test"),
                      {16, 89}),
            &TForm1::imgDrukujTestClick);
    OnClick(AddButton(upper, jvpnl6, "imgEdytujTest", "edytuj_test", QStringLiteral("edytuj test"),
                      {176, 89}),
            &TForm1::imgEdytujTestClick);
    OnClick(AddButton(upper, jvpnl6, "imgUruchomTest", "uruchom_test",
                      QStringLiteral("uruchom test"), {336, 89}),
            &TForm1::imgUruchomTestClick);
    OnClick(AddButton(upper, jvpnl6, "imgEksportuj", "eksportuj", QStringLiteral("eksportuj"),
                      {496, 89}),
            &TForm1::imgEksportujClick);

    jvpnl5 = new HoverPanel(ts5);
    jvpnl5->setObjectName(QStringLiteral("jvpnl5"));
    page->addWidget(jvpnl5, QRect(16, 144, 857, 337), AnchorLayout::All);
    auto* lower = new AnchorLayout(QSize(857, 337), jvpnl5);
    AddLabel(lower, jvpnl5, "lblKlucz", QStringLiteral("Klucz odpowiedzi"), QRect(16, 16, 0, 0));
    OnClick(AddButton(lower, jvpnl5, "img4", "zapisz_do_pliku", QStringLiteral("zapisz do pliku"),
                      {16, 248}),
            &TForm1::img4Click);
    OnClick(AddButton(lower, jvpnl5, "imgKluczDrukuj", "drukuj", QStringLiteral("drukuj"),
                      {16, 296}),
            &TForm1::imgKluczDrukujClick);

    sgKlucz = new StringGrid(kKeyCell, jvpnl5);
    sgKlucz->setObjectName(QStringLiteral("sgKlucz"));
    // The key draws no current cell, so Tab passes it by rather than walk
    // unseen from cell to cell; a click still selects cells.
    sgKlucz->setFocusPolicy(Qt::ClickFocus);
    sgKlucz->setFont(DesignFont(13, true));
    QPalette navy = sgKlucz->palette();
    navy.setColor(QPalette::Text, TextColor());
    sgKlucz->setPalette(navy);
    lower->addWidget(sgKlucz, QRect(184, 16, 665, 313), AnchorLayout::All);
    // The grid is filled column by column: question i sits in column
    // i div rows, row i mod rows. Its texts are read from the test when shown.
    sgKlucz->SetCellText([this](int row, int column) {
        const int index = column * sgKlucz->RowCount() + row;
        const TQuestion* question = CurrentTest ? CurrentTest->GetQuestion(index) : nullptr;
        return question ? FromCp1250(KeyCellText(*question, index)) : QString();
    });
}

void TForm1::ts5Show()
{
    ShowQuestionCount();
    imgExit->show();
    // Questions may have changed on the other pages since the key was filled.
    FillAnswerKey();
}

void TForm1::ShowQuestionCount()
{
    lbl4->setText(CurrentTest ? QString::number(CurrentTest->QuestionCount) : QString());
}

void TForm1::SetTitleLabel()
{
    // The page control's width: a hidden page may not have its size yet.
    const int pageWidth = pcPages->contentsRect().width();
    const int width = qMax(0, qMin(pageWidth - kTitleMargin, pageWidth - kTitleRoomMargin));
    const QString title = CurrentTest ? FromCp1250(CurrentTest->Title) : QString();
    // A title longer than the room ends in an ellipsis and is read whole in
    // the tooltip.
    const QString shown = lbl2->fontMetrics().elidedText(title, Qt::ElideRight, width);
    lbl2->setText(shown);
    lbl2->setToolTip(shown == title ? QString() : title);
    lbl2->setAccessibleName(title);
    lbl2->resize(width, lbl2->sizeHint().height());
}

void TForm1::FillAnswerKey()
{
    // As many columns as fit whole, as many rows as fit whole.
    sgKlucz->SetColumnCount(1);
    sgKlucz->SetRowCount(1000);
    const int visibleRows = sgKlucz->FullyVisibleRows();
    sgKlucz->SetRowCount(1);
    sgKlucz->SetColumnCount(50);
    sgKlucz->SetColumnCount(sgKlucz->FullyVisibleColumns());
    sgKlucz->SetRowCount(visibleRows);
    if (!CurrentTest) {
        sgKlucz->RefreshCells();
        return;
    }

    const int count = CurrentTest->QuestionCount;
    sgKlucz->SetRowCount(RowsToHold(count, sgKlucz->ColumnCount(), sgKlucz->RowCount()));
    // More rows than fit bring the vertical scroll bar, which may cover the
    // last column.
    if (sgKlucz->FullyVisibleColumns() < sgKlucz->ColumnCount()) {
        sgKlucz->SetColumnCount(sgKlucz->ColumnCount() - 1);
        sgKlucz->SetRowCount(RowsToHold(count, sgKlucz->ColumnCount(), sgKlucz->RowCount()));
    }
    sgKlucz->RefreshCells();

    const int usedColumns = (count - 1) / sgKlucz->RowCount() + 1;
    if (usedColumns < sgKlucz->ColumnCount())
        sgKlucz->SetColumnCount(usedColumns);
}

void TForm1::SaveAnswerKey()
{
    if (!CurrentTest)
        return;
    // The key goes beside the test unless the user chooses otherwise.
    const QString folder = QFileInfo(CurrentTestPath).absolutePath();
    const QString proposal = AnswerKeyFileName(FromCp1250(CurrentTest->Title), folder);
    const QString path = Prompts::Current().SaveTextFileName(this, folder, proposal);
    if (path.isEmpty())
        return;
    try {
        SaveLinesToFile(QFile::encodeName(path).toStdString(), AnswerKeyLines(*CurrentTest));
    } catch (...) {
        NoteWriteFailed(path);
        throw;
    }
    NoteWritten(path);
}

void TForm1::img4Click()
{
    SaveAnswerKey();
}

void TForm1::imgEdytujTestClick()
{
    cmdNextPage();
}

void TForm1::imgUruchomTestClick()
{
    Prompts& prompts = Prompts::Current();
    if (prompts.OpenTestWithDesktop(CurrentTestPath))
        return;
    // This desktop knows no program for tests: the runner that comes with
    // the editor takes it.
    const QString runner = QDir(QCoreApplication::applicationDirPath())
                               .filePath(QStringLiteral("testarion-runner"));
    if (prompts.StartProgram(runner, {CurrentTestPath}))
        return;
    prompts.Message(this, QStringLiteral("Nie można uruchomić testu: nie znaleziono programu do "
                                         "rozwiązywania testów (%1).")
                              .arg(QDir::toNativeSeparators(runner)));
}

void TForm1::imgEksportujClick()
{
    if (!CurrentTest)
        return;
    // The export goes beside the test unless the user chooses otherwise.
    const QString folder = QFileInfo(CurrentTestPath).absolutePath();
    int filter = 0;
    const QString path = Prompts::Current().SaveExportFileName(
        this, folder, ExportFilters(), ExportFileNames(FromCp1250(CurrentTest->Title), folder), filter);
    if (path.isEmpty())
        return;
    const TExchangeFormat format = ExportFormatAt(filter);
    std::vector<int32_t> skipped;
    WriteExportFile(path, ExportTest(*CurrentTest, format, skipped));
    Prompts::Current().Message(
        this, skipped.empty()
                  ? QStringLiteral("Wyeksportowano test do pliku „%1”.").arg(QFileInfo(path).fileName())
                  : SkippedQuestionsMessage(*CurrentTest, format, skipped));
}

void TForm1::imgDrukujTestClick()
{
    if (!CurrentTest)
        return;
    PrintOptions options;
    if (!Prompts::Current().AskPrintOptions(this, options))
        return;
    // Every group's sheets first, then the key of each group in the same
    // order. The preview may paint again (another paper size, say): it
    // prints the test, and the orders, as they were when the button was pressed.
    std::mt19937 generator = ClockSeededGenerator();
    const std::vector<PrintedVersion> versions = DrawVersions(*CurrentTest, options, generator);
    QStringList documents;
    for (const PrintedVersion& version : versions)
        documents << StudentSheetHtml(*CurrentTest, version);
    if (options.includeKey) {
        for (const PrintedVersion& version : versions)
            documents << AnswerKeySheetHtml(*CurrentTest, version);
    }
    Prompts::Current().PrintPreview(this, FromCp1250(CurrentTest->Title), [documents](QPrinter* printer) {
        PrintHtml(documents, printer);
    });
}

void TForm1::imgKluczDrukujClick()
{
    if (!CurrentTest)
        return;
    const QString html = AnswerKeySheetHtml(*CurrentTest, OriginalVersion(*CurrentTest));
    Prompts::Current().PrintPreview(
        this, QStringLiteral("Klucz odpowiedzi do testu ") + FromCp1250(CurrentTest->Title),
        [html](QPrinter* printer) { PrintHtml({html}, printer); });
}
