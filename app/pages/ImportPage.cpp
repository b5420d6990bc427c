// The import page: the questions of another test, to tick by hand or at
// random and copy into the current test.

#include "app/TForm1.h"

#include "app/ExchangeFiles.h"
#include "app/Prompts.h"
#include "app/RandomDraw.h"
#include "app/TestFiles.h"
#include "dialogs/TForm2.h"
#include "ui/AnchorLayout.h"
#include "ui/Cp1250.h"
#include "ui/ElidedLabel.h"
#include "ui/Fonts.h"
#include "ui/PictureButton.h"

#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QFrame>
#include <QHash>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>
#include <QtMath>

namespace {

// A text's width as the sum of its characters' advances. Shaping ten
// thousand long texts exactly would take a noticeable moment; this needs
// only a table lookup per character and ignores nothing but kerning.
class TextWidth
{
public:
    explicit TextWidth(const QFontMetrics& metrics)
        : m_metrics(metrics)
    {
    }

    int operator()(const QString& text)
    {
        qreal width = 0;
        for (const QChar c : text) {
            auto cached = m_advances.constFind(c.unicode());
            if (cached == m_advances.cend())
                cached = m_advances.insert(c.unicode(), m_metrics.horizontalAdvance(c));
            width += *cached;
        }
        return qCeil(width);
    }

private:
    QFontMetricsF m_metrics;
    QHash<char16_t, qreal> m_advances;
};

TQuestion* SourceQuestion(const QListWidgetItem* item)
{
    return static_cast<TQuestion*>(item->data(Qt::UserRole).value<void*>());
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
    layout->addWidget(panel, QRect(8, 72, 873, 385), AnchorLayout::All);

    lstImport = new QListWidget(panel);
    lstImport->setObjectName(QStringLiteral("lstImport"));
    lstImport->setAccessibleName(jvlbl9->text());
    lstImport->setFont(DesignFont(13));
    lstImport->setFrameShape(QFrame::NoFrame);
    lstImport->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    lstImport->setUniformItemSizes(true);
    lstImport->setStyleSheet(QStringLiteral("QListWidget { background: %1; }")
                                 .arg(HighlightColor().name()));
    panelLayout->addWidget(lstImport);

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

    setTabOrder(lstImport, imgWylosuj);
    setTabOrder(imgWylosuj, imgAnuluj);
    setTabOrder(imgAnuluj, imgImportuj);
}

void TForm1::imgImportQuestionClick()
{
    ChooseImportSource();
    ShowQuestionCount();
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

    lstImport->clear();
    ImportSource = std::move(source);
    ShowPage(ImportPage);
    imgNext->hide();
    imgPrev->hide();

    jvlblImpTestTitle->setText(FromCp1250(ImportSource->Title));
    // Every item is one line of the same height, so the list need not
    // measure each one; the widest text alone sets the horizontal scroll.
    // The items are added in one go and filled in quietly: nothing is laid
    // out until all of them are there.
    QStringList texts;
    texts.reserve(qsizetype(ImportSource->Questions.size()));
    int widest = 0;
    const QFontMetrics metrics(lstImport->font());
    TextWidth width(metrics);
    for (const auto& question : ImportSource->Questions) {
        // One line per item: a line break pasted into a question shows as a space.
        texts << FromCp1250(question->Text).replace(QLatin1Char('\n'), QLatin1Char(' '));
        widest = qMax(widest, width(texts.constLast()));
    }
    lstImport->addItems(texts);
    {
        const QSignalBlocker quiet(lstImport->model());
        for (int row = 0; row < lstImport->count(); ++row) {
            QListWidgetItem* item = lstImport->item(row);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Unchecked);
            item->setData(Qt::UserRole, QVariant::fromValue(
                static_cast<void*>(ImportSource->Questions[std::size_t(row)].get())));
        }
    }
    if (QListWidgetItem* first = lstImport->item(0)) {
        const QSize checkBox = lstImport->style()->sizeFromContents(
            QStyle::CT_CheckBox, nullptr, QSize(0, 0), lstImport);
        first->setSizeHint(QSize(widest + checkBox.width() + 12,
                                 qMax(metrics.height() + 2, checkBox.height())));
    }
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
    const TFileBytes bytes = ReadRegularFile(path);
    const std::optional<TExchangeFormat> format = ImportFormatOf(path, filter, bytes.View());
    if (!format)
        return TestFromFileBytes(bytes, path,
                                 [this](const std::string& message) { ReportReadingError(message); });
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
    const int count = lstImport->count();
    std::mt19937 generator = ClockSeededGenerator();
    Form2->SetValue(qMin(10, count));
    if (Form2->exec() != QDialog::Accepted)
        return;
    const int wanted = Form2->Value();
    if (wanted < 1)
        return;
    const std::vector<bool> ticked = DrawPositions(count, wanted, generator);
    {
        // A tick changes no item's size: one repaint after all of them
        // instead of a relayout for each.
        const QSignalBlocker quiet(lstImport->model());
        for (int row = 0; row < count; ++row)
            lstImport->item(row)->setCheckState(ticked[std::size_t(row)] ? Qt::Checked : Qt::Unchecked);
    }
    lstImport->viewport()->update();
}

void TForm1::imgAnulujClick()
{
    LeaveImportPage();
}

void TForm1::LeaveImportPage()
{
    ImportSource.reset();
    lstImport->clear();
    ShowPage(QuestionsPage);
    imgPrev->show();
}

void TForm1::imgImportujClick()
{
    // A test just created still holds only its placeholder question; the
    // first imported question takes its place.
    const bool fresh = lstQuestions->count() == 1 && CurrentTest->QuestionCount == 1
                       && CurrentTest->Questions[0]->Text == "Pytanie nr 1";
    const int first = CurrentTest->QuestionCount;
    for (int row = 0; row < lstImport->count(); ++row) {
        const QListWidgetItem* item = lstImport->item(row);
        if (item->checkState() == Qt::Checked)
            CurrentTest->AddQuestion()->CopyFrom(*SourceQuestion(item));
    }
    // The copies are listed in one go and the last one is shown, as if each
    // had been added and shown in turn.
    if (CurrentTest->QuestionCount > first) {
        AddQuestionItems(first);
        if (fresh) {
            Prompts::Current().Beep();
            lstQuestions->setCurrentRow(0);
            RemoveQuestion();
        }
        lstQuestions->setCurrentRow(lstQuestions->count() - 1);
        lstQuestionsClick();
    }
    ShowQuestionCount();
    LeaveImportPage();
}
