#include "TForm1.h"

#include "Guarded.h"
#include "ImportListModel.h"
#include "Prompts.h"
#include "QuestionListModel.h"
#include "TestFiles.h"
#include "ui/AnchorLayout.h"
#include "ui/Cp1250.h"
#include "ui/FadingNote.h"
#include "ui/Fonts.h"
#include "ui/LooseSpinBox.h"
#include "ui/PictureButton.h"
#include "ui/ProgramIcon.h"
#include "ui/QuestionList.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QLabel>
#include <QShortcut>
#include <QStackedWidget>
#include <QTime>
#include <QWindow>

namespace {

// The client area the window was designed at; anchored controls keep their
// distances to its edges at any other size.
constexpr QSize kDesignClient(900, 577);
// A page's client area inside the page control's 4-pixel border.
constexpr QSize kDesignPage(892, 529);
// The window's size in the design, and the smallest it is meant to get.
constexpr QSize kDesignWindow(908, 616);
constexpr QSize kDesignMinimum(800, 600);

} // namespace

TForm1::TForm1(QWidget* parent)
    : QMainWindow(parent)
{
    // FormCreate.
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Testarion"));
    setWindowIcon(ProgramIcon());
    setFont(DesignFont(13));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, WindowColor());
    palette.setColor(QPalette::WindowText, TextColor());
    setPalette(palette);

    auto* client = new QWidget(this);
    client->setAutoFillBackground(true);
    auto* layout = new AnchorLayout(kDesignClient, client);
    setCentralWidget(client);

    pcPages = new QStackedWidget(client);
    pcPages->setObjectName(QStringLiteral("pcPages"));
    pcPages->setContentsMargins(4, 4, 4, 4);
    pcPages->setFont(DesignFont(16, true));
    layout->addWidget(pcPages, QRect(0, 0, 900, 537), AnchorLayout::All);
    const auto addPage = [this](const char* name) {
        auto* page = new QWidget;
        page->setObjectName(QLatin1String(name));
        new AnchorLayout(kDesignPage, page);
        pcPages->addWidget(page);
        return page;
    };
    ts1 = addPage("ts1");
    ts5 = addPage("ts5");
    ts2 = addPage("ts2");
    ts3 = addPage("ts3");
    ts4 = addPage("ts4");

    imgPrev = new PictureButton(QStringLiteral("wstecz"), QStringLiteral("wstecz"), {110, 32}, client);
    imgPrev->setObjectName(QStringLiteral("imgPrev"));
    imgNext = new PictureButton(QStringLiteral("dalej"), QStringLiteral("dalej"), {110, 32}, client);
    imgNext->setObjectName(QStringLiteral("imgNext"));
    imgExit = new PictureButton(QStringLiteral("zamknij_test"), QStringLiteral("zamknij test"),
                                {163, 32}, client);
    imgExit->setObjectName(QStringLiteral("imgExit"));
    layout->addWidget(imgExit, QRect(8, 544, 163, 32), AnchorLayout::Left | AnchorLayout::Bottom);
    layout->addWidget(imgPrev, QRect(664, 544, 110, 32), AnchorLayout::Right | AnchorLayout::Bottom);
    layout->addWidget(imgNext, QRect(784, 544, 110, 32), AnchorLayout::Right | AnchorLayout::Bottom);
    // Between the buttons of the strip: a short word after each write.
    lblSaveNote = new FadingNote(client);
    lblSaveNote->setObjectName(QStringLiteral("lblSaveNote"));
    lblSaveNote->setFont(DesignFont(13, true));
    layout->addWidget(lblSaveNote, QRect(180, 544, 476, 32),
                      AnchorLayout::Left | AnchorLayout::Right | AnchorLayout::Bottom);
    imgPrev->hide();
    imgNext->hide();
    imgExit->hide();
    OnClick(imgPrev, &TForm1::imgPrevClick);
    OnClick(imgNext, &TForm1::imgNextClick);
    OnClick(imgExit, &TForm1::imgExitClick);

    // The pages of an open test are built when a test is first opened or
    // made: the program starts on the start page, and building them all
    // would add a fifth to the time until its window shows.
    BuildStartPage();
    OrderBottomStrip();
    auto* save = new QShortcut(QKeySequence::Save, this);
    save->setObjectName(QStringLiteral("scSave"));
    connect(save, &QShortcut::activated, this, [this] { RunGuarded(this, [this] { cmdSaveTest(); }); });
    connect(pcPages, &QStackedWidget::currentChanged, this, [this](int index) {
        if (index == SummaryPage)
            RunGuarded(this, [this] { ts5Show(); });
    });

    resize(kDesignWindow);
    // The window opens in the middle of the primary screen, fitted to it.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        FitToScreen(screen);
        move(screen->availableGeometry().center() - rect().center());
    }
    ShowPage(StartPage);
    TestsFolder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath()
                                           + QStringLiteral("/Testy/"));
}

TForm1::~TForm1()
{
    // The controls are destroyed only after the test and every other member
    // of the window are gone (by ~QWidget), and on the way they lose the
    // focus and change: a value still being typed is corrected then. None of
    // their handlers may run into that state, so none is called any more.
    for (QObject* control : findChildren<QObject*>())
        disconnect(control, nullptr, this, nullptr);
    // The page control's tie to the threshold control reaches this window too.
    disconnect(pcPages, nullptr, se1, nullptr);
}

int TForm1::PageIndex() const
{
    return pcPages->currentIndex();
}

void TForm1::OnClick(PictureButton* button, void (TForm1::*handler)())
{
    connect(button, &PictureButton::clicked, this,
            [this, handler] { RunGuarded(this, [this, handler] { (this->*handler)(); }); });
}

void TForm1::ShowPage(int index)
{
    if (index != StartPage)
        BuildTestPages();
    pcPages->setCurrentIndex(index);
    if (index == StartPage)
        CenterStartPage();
}

void TForm1::BuildTestPages()
{
    if (TestPagesBuilt)
        return;
    TestPagesBuilt = true;
    BuildSummaryPage();
    BuildPropertiesPage();
    BuildQuestionsPage();
    BuildImportPage();
    OrderBottomStrip();
}

void TForm1::OrderBottomStrip()
{
    // Tab walks the page in sight, then the bottom strip from left to right.
    setTabOrder(imgExit, imgPrev);
    setTabOrder(imgPrev, imgNext);
}

void TForm1::ReportReadingError(const std::string& message)
{
    Prompts::Current().Message(this, FromCp1250(message));
}

void TForm1::CenterStartPage()
{
    const int width = pcPages->contentsRect().width();
    QWidget* const controls[] = {lblHeading, img1, img2, imgOpenFolder};
    for (QWidget* control : controls)
        control->move((width - control->width()) / 2, control->y());
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    // FormResize: the page control has its new size by now.
    RunGuarded(this, [this] {
        CenterStartPage();
        if (!TestPagesBuilt)
            return;
        SetTitleLabel();
        FillAnswerKey();
    });
}

void TForm1::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // FormShow.
    if (!event->spontaneous() && !CurrentTest && TestPagesBuilt)
        FillQuestionList();
    // Shown, the window has its frame and a screen of its own, which it may
    // leave for another.
    if (QWindow* window = windowHandle())
        connect(window, &QWindow::screenChanged, this, &TForm1::FitToScreen, Qt::UniqueConnection);
    FitToScreen(screen());
    // The resize before the first showing came while the page control still
    // had its design size; the pages have their real width only now.
    CenterStartPage();
}

void TForm1::FitToScreen(QScreen* screen)
{
    if (!screen)
        return;
    // Scaled up (200 % makes 1920 × 1080 a screen of 960 × 540) the design's
    // minimum may not fit: the window then never asks for more than the
    // screen leaves it, frame included.
    const QSize frame = frameGeometry().size() - size();
    const QSize room = (screen->availableSize() - frame).expandedTo(QSize(1, 1));
    setMinimumSize(kDesignMinimum.boundedTo(room));
    if (width() > room.width() || height() > room.height())
        resize(size().boundedTo(room));
}

void TForm1::closeEvent(QCloseEvent* event)
{
    // FormClose: a test that cannot be written keeps the window open unless
    // the user chooses to close without saving.
    if (TestPagesBuilt)
        HideAnswerEditor();
    if (!SaveOrDiscard()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

bool TForm1::SaveOrDiscard()
{
    if (RunGuarded(this, [this] { SaveCurrentTest(); }))
        return true;
    return Prompts::Current().Confirm(
        this, QStringLiteral("Nie udało się zapisać testu. Czy zamknąć go bez zapisywania zmian?"));
}

void TForm1::SaveCurrentTest()
{
    SaveTest(false);
}

void TForm1::SaveTest(bool noteWhenUnchanged)
{
    if (CurrentTestPath.isEmpty() || !CurrentTest)
        return;
    const std::string path = QFile::encodeName(CurrentTestPath).toStdString();
    const QString shownPath = QDir::toNativeSeparators(CurrentTestPath);
    // A file that has gone is written again: there is nothing left to lose.
    const TFileState onDisk = CompareFileWithStamp(path, CurrentTestFile.Stamp);
    const uint64_t content = CurrentTest->ContentHash();
    if (onDisk != TFileState::Missing) {
        if (onDisk == TFileState::AsStamped && content == CurrentTestFile.Content) {
            // Nothing to write; the user who asked to save is still told
            // that the work is safe.
            if (noteWhenUnchanged)
                NoteWritten(CurrentTestPath);
            return;
        }
        if (onDisk == TFileState::Changed
            && !Prompts::Current().Confirm(
                this, QStringLiteral("Plik „%1” został zmieniony przez inny program od czasu, gdy "
                                     "go wczytano lub zapisano. Czy zastąpić go bieżącym testem?")
                          .arg(shownPath)))
            return;
        if (CurrentTestFile.StoppedAtLine >= 0) {
            if (!Prompts::Current().Confirm(
                    this, QStringLiteral("Odczyt pliku „%1” przerwał błąd w linii %2, więc test "
                                         "zawiera tylko część pliku. Czy zastąpić plik tym, co "
                                         "wczytano?")
                              .arg(shownPath)
                              .arg(CurrentTestFile.StoppedAtLine)))
                return;
            const std::string backup = BackUpFile(path);
            CurrentTestFile.StoppedAtLine = -1;
            Prompts::Current().Message(
                this, QStringLiteral("Oryginalny plik zachowano jako „%1”.")
                          .arg(QDir::toNativeSeparators(QFile::decodeName(backup.c_str()))));
        }
    }
    try {
        CurrentTestFile.Stamp = WriteTestFile(*CurrentTest, CurrentTestPath);
    } catch (...) {
        NoteWriteFailed(CurrentTestPath);
        throw;
    }
    CurrentTestFile.Content = content;
    CurrentTestFile.StoppedAtLine = -1;
    NoteWritten(CurrentTestPath);
}

void TForm1::cmdSaveTest()
{
    // A test is open on every page but the start page.
    if (PageIndex() != StartPage)
        SaveTest(true);
}

void TForm1::NoteWritten(const QString& path)
{
    lblSaveNote->ShowNote(QStringLiteral("Zapisano: %1 (%2)")
                              .arg(QFileInfo(path).fileName(),
                                   QTime::currentTime().toString(QStringLiteral("HH:mm"))));
}

void TForm1::NoteWriteFailed(const QString& path)
{
    lblSaveNote->ShowNote(QStringLiteral("Nie udało się zapisać: %1 (%2)")
                              .arg(QFileInfo(path).fileName(),
                                   QTime::currentTime().toString(QStringLiteral("HH:mm"))),
                          FadingNote::Failure);
}

void TForm1::CloseTest()
{
    // The lists let go of the tests before they are freed.
    questionModel->SetTest(nullptr);
    importModel->SetSource(nullptr);
    CurrentTest.reset();
    ImportSource.reset();
    ShowPage(StartPage);
    CurrentTestPath.clear();
    imgExit->hide();
    imgPrev->hide();
    imgNext->hide();
}

void TForm1::imgNextClick()
{
    HideAnswerEditor();
    cmdNextPage();
}

void TForm1::imgPrevClick()
{
    HideAnswerEditor();
    cmdPrevPage();
}

void TForm1::imgExitClick()
{
    HideAnswerEditor();
    if (SaveOrDiscard())
        CloseTest();
}

void TForm1::cmdNextPage()
{
    const int page = PageIndex() + 1;
    ShowPage(page);
    if (page == QuestionsPage) {
        lstQuestions->setCurrentRow(0);
        lstQuestionsClick();
        LayoutAnswers();
    }
    imgNext->setVisible(page == SummaryPage || page == PropertiesPage);
    imgExit->setVisible(page >= SummaryPage && page <= QuestionsPage);
}

void TForm1::cmdPrevPage()
{
    SaveCurrentTest();
    if (PageIndex() == SummaryPage) {
        questionModel->SetTest(nullptr);
        CurrentTest.reset();
        CurrentTestPath.clear();
        ShowPage(StartPage);
        imgPrev->hide();
        imgNext->hide();
    }
    if (PageIndex() == PropertiesPage)
        ShowPage(SummaryPage);
    if (PageIndex() == QuestionsPage)
        ShowPage(PropertiesPage);
    const int page = PageIndex();
    imgNext->setVisible(page == SummaryPage || page == PropertiesPage);
    imgExit->setVisible(page >= SummaryPage && page <= QuestionsPage);
}
