// The import page: the questions of another test, to tick by hand or at
// random and copy into the current test.

#include "app/TForm1.h"

#include "app/ExchangeFiles.h"
#include "app/ImportListModel.h"
#include "app/Prompts.h"
#include "app/QuestionListModel.h"
#include "app/RandomDraw.h"
#include "app/TestFiles.h"
#include "dialogs/TForm2.h"
#include "ui/AnchorLayout.h"
#include "ui/Cp1250.h"
#include "ui/ElidedLabel.h"
#include "ui/Fonts.h"
#include "ui/PictureButton.h"
#include "ui/QuestionList.h"
#include "ui/WrappedText.h"

#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QFrame>
#include <QLabel>
#include <QStyledItemDelegate>
#include <QStyle>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QtMath>

namespace {

// The width of the widest question text on one line, as the sum of its
// characters' advances. Shaping a hundred thousand long texts exactly would
// take a noticeable moment; this needs one table lookup per byte of the
// Windows-1250 text and ignores nothing but kerning.
int WidestText(const TTest& test, const QFont& font)
{
    const QFontMetricsF metrics(font);
    qreal advances[256];
    for (int byte = 0; byte < 256; ++byte) {
        const QString character = FromCp1250(std::string(1, char(byte)));
        advances[byte] = character.isEmpty() ? 0 : metrics.horizontalAdvance(character);
    }
    // A line break shows as one space.
    advances[int('\r')] = 0;
    advances[int('\n')] = metrics.horizontalAdvance(QLatin1Char(' '));
    qreal widest = 0;
    for (const auto& question : test.Questions) {
        qreal width = 0;
        for (const char byte : question->Text)
            width += advances[static_cast<unsigned char>(byte)];
        widest = qMax(widest, width);
    }
    return qCeil(widest);
}

// Shows each answer on a line of its own, the correct ones marked.
QString PreviewHtml(const TQuestion& question)
{
    const auto escaped = [](const std::string& text) { return FromCp1250(text).toHtmlEscaped(); };
    QString html = QStringLiteral("<p><b>%1</b></p>").arg(escaped(question.Text));
    const int count = int(qMin<std::size_t>(std::size_t(qMax(0, question.AnswerCount)), question.Answers.size()));
    for (int i = 0; i < count; ++i) {
        const TAnswer* answer = question.GetAnswer(i);
        const QString letter = i < 26 ? QString(QChar(u'A' + i)) : QString::number(i + 1);
        html += answer->Score > 0
                    ? QStringLiteral("<p>%1) <b>%2</b> \u2714 <i>poprawna</i></p>").arg(letter, escaped(answer->Text))
                    : QStringLiteral("<p>%1) %2</p>").arg(letter, escaped(answer->Text));
    }
    return html;
}

} // namespace

void TForm1::BuildImportPage()
{
    auto* layout = static_cast<AnchorLayout*>(ts4->layout());

    auto* jvlbl10 = new QLabel(QStringLiteral("Import pytań z testu:"), ts4);
    jvlbl10->setObjectName(QStringLiteral("jvlbl10"));
    layout->addWidget(jvlbl10, QRect(16, 16, 0, 0));

    jvlblImpTestTitle = new ElidedLabel(ts4);
    jvlblImpTestTitle->setObjectName(QStringLiteral("jvlblImpTestTitle"));
    layout->addWidget(jvlblImpTestTitle, QRect(192, 16, 689, 22),
                      AnchorLayout::Left | AnchorLayout::Top | AnchorLayout::Right);

    auto* jvlbl9 = new QLabel(
        QStringLiteral("Na poniższej liście zaznacz pytania, które chcesz zaimportować."), ts4);
    jvlbl9->setObjectName(QStringLiteral("jvlbl9"));
    jvlbl9->setFont(DesignFont(13));
    layout->addWidget(jvlbl9, QRect(16, 48, 0, 0));

    auto* panel = new QFrame(ts4);
    panel->setObjectName(QStringLiteral("jvpnl4"));
    panel->setFrameStyle(QFrame::Box | QFrame::Plain);
    panel->setLineWidth(1);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(panel, QRect(8, 72, 873, 265), AnchorLayout::All);

    importModel = new ImportListModel(this);
    lstImport = new QuestionList(panel);
    lstImport->setObjectName(QStringLiteral("lstImport"));
    lstImport->setAccessibleName(jvlbl9->text());
    lstImport->setFont(DesignFont(13));
    lstImport->setFrameShape(QFrame::NoFrame);
    lstImport->setItemDelegate(new QStyledItemDelegate(lstImport));
    // The whole text on one line, read by scrolling sideways.
    lstImport->setTextElideMode(Qt::ElideNone);
    lstImport->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    lstImport->setStyleSheet(QStringLiteral("#lstImport { background: %1; }").arg(HighlightColor().name()));
    const QSize checkBox = lstImport->style()->sizeFromContents(QStyle::CT_CheckBox, nullptr, QSize(0, 0),
                                                                lstImport);
    lstImport->setUniformRowHeight(qMax(QFontMetrics(lstImport->font()).height() + 2, checkBox.height()));
    lstImport->setModel(importModel);
    panelLayout->addWidget(lstImport);
    connect(importModel, &ImportListModel::ticksChanged, this, &TForm1::ShowTickedCount);
    connect(lstImport->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TForm1::ShowImportPreview);
    connect(importModel, &QAbstractItemModel::modelReset, this, &TForm1::ShowImportPreview);

    txtImportPreview = new QTextBrowser(ts4);
    txtImportPreview->setObjectName(QStringLiteral("txtImportPreview"));
    txtImportPreview->setAccessibleName(QStringLiteral("Podgląd pytania"));
    txtImportPreview->setFont(DesignFont(13));
    layout->addWidget(txtImportPreview, QRect(8, 343, 873, 114),
                      AnchorLayout::Left | AnchorLayout::Right | AnchorLayout::Bottom);

    lblTicked = new QLabel(ts4);
    lblTicked->setObjectName(QStringLiteral("lblTicked"));
    lblTicked->setFont(DesignFont(13));
    layout->addWidget(lblTicked, QRect(130, 470, 300, 22), AnchorLayout::Left | AnchorLayout::Bottom);

    auto* imgWylosuj = new PictureButton(QStringLiteral("wylosuj"), QStringLiteral("wylosuj"),
                                         {110, 32}, ts4);
    imgWylosuj->setObjectName(QStringLiteral("imgWylosuj"));
    layout->addWidget(imgWylosuj, QRect(8, 464, 110, 32), AnchorLayout::Left | AnchorLayout::Bottom);
    OnClick(imgWylosuj, &TForm1::imgWylosujClick);

    auto* imgAnuluj = new PictureButton(QStringLiteral("anuluj"), QStringLiteral("anuluj"),
                                        {110, 32}, ts4);
    imgAnuluj->setObjectName(QStringLiteral("imgAnuluj"));
    layout->addWidget(imgAnuluj, QRect(640, 464, 110, 32), AnchorLayout::Right | AnchorLayout::Bottom);
    OnClick(imgAnuluj, &TForm1::imgAnulujClick);

    auto* imgImportuj = new PictureButton(QStringLiteral("importuj"), QStringLiteral("importuj"),
                                          {110, 32}, ts4);
    imgImportuj->setObjectName(QStringLiteral("imgImportuj"));
    layout->addWidget(imgImportuj, QRect(768, 464, 110, 32), AnchorLayout::Right | AnchorLayout::Bottom);
    OnClick(imgImportuj, &TForm1::imgImportujClick);

    setTabOrder(lstImport, txtImportPreview);
    setTabOrder(txtImportPreview, imgWylosuj);
    setTabOrder(imgWylosuj, imgAnuluj);
    setTabOrder(imgAnuluj, imgImportuj);
}

void TForm1::imgImportQuestionClick()
{
    ChooseImportSource();
}

void TForm1::ChooseImportSource()
{
    QString filter;
    const QString path = AskImportFileName(filter);
    if (path.isEmpty())
        return;
    // Read before anything changes: a file that cannot be read leaves the
    // editor as it was.
    auto source = ReadImportSource(path, filter);
    if (!source)
        return;

    importModel->SetSource(nullptr);
    ImportSource = std::move(source);
    ShowPage(ImportPage);
    imgNext->hide();
    imgPrev->hide();

    jvlblImpTestTitle->setText(FromCp1250(ImportSource->Title));
    importModel->SetSource(ImportSource.get());
    // The widest text sets the horizontal scroll, beside its check box.
    const QSize checkBox = lstImport->style()->sizeFromContents(QStyle::CT_CheckBox, nullptr, QSize(0, 0),
                                                                lstImport);
    lstImport->setContentsWidth(WidestText(*ImportSource, lstImport->font()) + checkBox.width() + 12);
    lstImport->setCurrentRow(0);
}

void TForm1::ShowTickedCount()
{
    lblTicked->setText(QStringLiteral("Zaznaczono %1 z %2").arg(importModel->TickedCount()).arg(importModel->rowCount()));
}

void TForm1::ShowImportPreview()
{
    const TQuestion* question = importModel->Question(lstImport->currentRow());
    if (!question) {
        txtImportPreview->clear();
        return;
    }
    const QString html = PreviewHtml(*question);
    txtImportPreview->setWordWrapMode(WrapModeFor(html));
    txtImportPreview->setHtml(html);
}

QString TForm1::AskImportFileName(QString& filter)
{
    QString path = Prompts::Current().OpenImportFileName(this, TestsFolder, LastOpenedFileName,
                                                         ImportFilters(), filter);
    if (path.isEmpty())
        return path;
    LastOpenedFileName = QFileInfo(path).fileName();
    return path;
}

std::unique_ptr<TTest> TForm1::ReadImportSource(const QString& path, const QString& filter)
{
    if (IsOwnTestFile(path, filter))
        return ReadTestFile(path, [this](const std::string& message) { ReportReadingError(message); });
    const TFileBytes bytes = ReadRegularFile(path);
    const std::optional<TExchangeFormat> format = ImportFormatOf(path, filter, bytes.View());
    auto source = std::make_unique<TTest>();
    std::vector<std::string> notes;
    ImportTest(std::string(bytes.View()), *format, *source, notes);
    if (source->Questions.empty()) {
        Prompts::Current().Message(
            this, QStringLiteral("W pliku „%1” nie ma pytań jednokrotnego wyboru, które można zaimportować.")
                      .arg(QFileInfo(path).fileName()));
        return nullptr;
    }
    if (!notes.empty())
        Prompts::Current().Message(this, LeftOutQuestionsMessage(notes));
    // A file without a category is known by its name.
    if (source->Title.empty())
        source->Title = ToCp1250(QFileInfo(path).completeBaseName());
    return source;
}

void TForm1::imgWylosujClick()
{
    const int count = importModel->rowCount();
    std::mt19937 generator = ClockSeededGenerator();
    if (!Form2)
        Form2 = new TForm2(this);
    Form2->SetValue(qMin(10, count));
    if (Form2->exec() != QDialog::Accepted)
        return;
    const int wanted = Form2->Value();
    if (wanted < 1)
        return;
    importModel->SetTicks(DrawPositions(count, wanted, generator));
}

void TForm1::imgAnulujClick()
{
    LeaveImportPage();
}

void TForm1::LeaveImportPage()
{
    importModel->SetSource(nullptr);
    ImportSource.reset();
    ShowPage(QuestionsPage);
    imgPrev->show();
}

void TForm1::imgImportujClick()
{
    // A test just created still holds only its placeholder question; the
    // first imported question takes its place.
    const bool fresh = lstQuestions->count() == 1 && CurrentTest->QuestionCount == 1
                       && CurrentTest->Questions[0]->Text == "Pytanie nr 1";
    const std::vector<const TQuestion*> ticked = importModel->Ticked();
    // The copies are listed in one go and the last one is shown, as if each
    // had been added and shown in turn.
    if (!ticked.empty()) {
        questionModel->AddCopies(ticked);
        if (fresh) {
            Prompts::Current().Beep();
            lstQuestions->setCurrentRow(0);
            RemoveQuestion();
        }
        lstQuestions->setCurrentRow(lstQuestions->count() - 1);
        lstQuestionsClick();
    }
    LeaveImportPage();
}
