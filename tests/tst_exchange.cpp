// Export to and import from Moodle XML, GIFT and Aiken: round trips, the
// escaping of every special character, files as platforms write them, and
// input meant to break the readers.
#include "model/Cp1250.h"
#include "model/Exchange.h"

#include <QFile>
#include <QTest>

#include <string>
#include <vector>

Q_DECLARE_METATYPE(TExchangeFormat)

namespace {

// One question given in UTF-8 with "\n" line breaks, and its scores.
struct TSampleQuestion
{
    std::string Text;
    std::vector<std::string> Answers;
    std::vector<int32_t> Scores;
};

std::string Model(const std::string& utf8)
{
    std::string text;
    for (const char c : Utf8ToCp1250(utf8))
        text += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return text;
}

std::string Utf8(const std::string& model)
{
    std::string text;
    for (const char c : Cp1250ToUtf8(model)) {
        if (c != '\r')
            text += c;
    }
    return text;
}

TTest MakeTest(const std::string& title, const std::vector<TSampleQuestion>& questions)
{
    TTest test;
    test.Title = Model(title);
    for (const TSampleQuestion& sample : questions) {
        TQuestion* question = test.AddQuestion();
        question->Text = Model(sample.Text);
        question->Answers.clear();
        question->AnswerCount = 0;
        for (size_t i = 0; i < sample.Answers.size(); ++i) {
            TAnswer* answer = question->AddAnswer();
            answer->Text = Model(sample.Answers[i]);
            answer->Score = i < sample.Scores.size() ? sample.Scores[i] : 0;
        }
    }
    return test;
}

// The 0-based answer that scores 1, or -1.
int Correct(const TQuestion& question)
{
    int correct = -1;
    for (size_t i = 0; i < question.Answers.size(); ++i) {
        if (question.Answers[i]->Score == 1) {
            if (correct >= 0)
                return -2;
            correct = static_cast<int>(i);
        } else if (question.Answers[i]->Score != 0) {
            return -3;
        }
    }
    return correct;
}

std::string Fixture(const char* name)
{
    QFile file(QStringLiteral(EXCHANGE_FIXTURES "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("no fixture %s", name);
    return file.readAll().toStdString();
}

TTest Imported(const std::string& bytes, TExchangeFormat format, std::vector<std::string>& notes)
{
    TTest test;
    ImportTest(bytes, format, test, notes);
    return test;
}

QString Joined(const std::vector<std::string>& notes)
{
    QStringList list;
    for (const std::string& note : notes)
        list << QString::fromStdString(note);
    return list.join(QLatin1Char('|'));
}

// Every format and whether it keeps line breaks.
void AddFormatRows(const char* name, const TSampleQuestion& sample)
{
    QTest::newRow((std::string("xml: ") + name).c_str()) << TExchangeFormat::MoodleXml << sample << true;
    QTest::newRow((std::string("gift: ") + name).c_str()) << TExchangeFormat::Gift << sample << true;
    QTest::newRow((std::string("aiken: ") + name).c_str()) << TExchangeFormat::Aiken << sample << false;
}

std::string Flattened(const std::string& utf8)
{
    std::string line = utf8;
    for (char& c : line)
        c = c == '\n' ? ' ' : c;
    return line;
}

} // namespace

Q_DECLARE_METATYPE(TSampleQuestion)

class TstExchange : public QObject
{
    Q_OBJECT

private slots:
    void codePage_data();
    void codePage();
    void roundTrip_data();
    void roundTrip();
    void escaping_data();
    void escaping();
    void exportLayout_data();
    void exportLayout();
    void exportSkips_data();
    void exportSkips();
    void fractionsAndWeights();
    void questionNames_data();
    void questionNames();
    void platformFiles_data();
    void platformFiles();
    void giftGaps_data();
    void giftGaps();
    void hostile_data();
    void hostile();
    void fiftyMegabytes_data();
    void fiftyMegabytes();
};

void TstExchange::codePage_data()
{
    QTest::addColumn<QByteArray>("utf8");
    QTest::addColumn<QByteArray>("cp1250");
    QTest::addColumn<bool>("valid");
    QTest::newRow("polish letters") << QByteArray("Zażółć gęślą jaźń ĄĘŁŃÓŚŹŻ") << QByteArray(
        "Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 ja\x9F\xF1 \xA5\xCA\xA3\xD1\xD3\x8C\x8F\xAF") << true;
    QTest::newRow("euro and quotes") << QByteArray("€ „x” – …") << QByteArray("\x80 \x84x\x94 \x96 \x85") << true;
    QTest::newRow("outside the code page") << QByteArray("α😀") << QByteArray("??") << true;
    QTest::newRow("overlong") << QByteArray("\xC0\xAF") << QByteArray("??") << false;
    QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << QByteArray("???") << false;
    QTest::newRow("cut short") << QByteArray("a\xC5") << QByteArray("a?") << false;
    QTest::newRow("beyond U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << QByteArray("????") << false;
}

void TstExchange::codePage()
{
    QFETCH(QByteArray, utf8);
    QFETCH(QByteArray, cp1250);
    QFETCH(bool, valid);
    QCOMPARE(QByteArray::fromStdString(Utf8ToCp1250(utf8.toStdString())), cp1250);
    QCOMPARE(IsValidUtf8(utf8.toStdString()), valid);
    if (valid && !cp1250.contains('?'))
        QCOMPARE(QByteArray::fromStdString(Cp1250ToUtf8(cp1250.toStdString())), utf8);
}

void TstExchange::roundTrip_data()
{
    QTest::addColumn<TExchangeFormat>("format");
    QTest::addColumn<TSampleQuestion>("sample");
    QTest::addColumn<bool>("keepsLineBreaks");
    AddFormatRows("plain", {"Ile nóg ma pająk?", {"Sześć", "Osiem", "Dziesięć"}, {0, 1, 0}});
    AddFormatRows("polish letters and euro",
                  {"Zażółć gęślą jaźń – ĄĆĘŁŃÓŚŹŻ za 5 €?", {"„Tak”", "Nie…", "‰ ™ • —"}, {1, 0, 0}});
    AddFormatRows("gift specials", {"a~b=c#d{e}f:g\\h", {"~=#", "{}", ":\\"}, {0, 0, 1}});
    AddFormatRows("xml specials", {"<b>&amp;</b> \"x\" 'y' ]]>", {"a < b", "c > d", "&#65;"}, {1, 0, 0}});
    AddFormatRows("line breaks", {"Pierwszy\ndrugi\n\ntrzeci", {"a\nb", "c", "d"}, {0, 1, 0}});
    AddFormatRows("four answers, last correct", {"Który?", {"1", "2", "3", "4"}, {0, 0, 0, 1}});
    AddFormatRows("markup prefix as text", {"[html]<p>nie znacznik</p>", {"%50% procent", "b", "c"}, {1, 0, 0}});
    AddFormatRows("aiken look-alike lines", {"A. to jest pytanie", {"ANSWER: A", "B) b", "x"}, {0, 1, 0}});
}

void TstExchange::roundTrip()
{
    QFETCH(TExchangeFormat, format);
    QFETCH(TSampleQuestion, sample);
    QFETCH(bool, keepsLineBreaks);
    const TTest original = MakeTest("Test ąę / próbny", {sample, {"Drugie", {"x", "y", "z"}, {1, 0, 0}}});
    std::vector<int32_t> skipped;
    const std::string file = ExportTest(original, format, skipped);
    QVERIFY(skipped.empty());

    std::vector<std::string> notes;
    const TTest read = Imported(file, format, notes);
    QCOMPARE(Joined(notes), QString());
    QCOMPARE(read.QuestionCount, 2);
    QCOMPARE(read.Questions.size(), size_t(2));
    const TQuestion& question = *read.Questions[0];
    const auto expected = [&](const std::string& text) { return keepsLineBreaks ? text : Flattened(text); };
    QCOMPARE(Utf8(question.Text), expected(sample.Text));
    QCOMPARE(question.Answers.size(), sample.Answers.size());
    QCOMPARE(question.AnswerCount, int32_t(sample.Answers.size()));
    for (size_t i = 0; i < sample.Answers.size(); ++i)
        QCOMPARE(Utf8(question.Answers[i]->Text), expected(sample.Answers[i]));
    int correct = 0;
    while (sample.Scores[size_t(correct)] != 1)
        ++correct;
    QCOMPARE(Correct(question), correct);
    QCOMPARE(question.Kind, std::string("Jednokrotnego wyboru"));
    QCOMPARE(question.FontSize, 0);
    if (format != TExchangeFormat::Aiken)
        QCOMPARE(Utf8(read.Title), std::string("Test ąę / próbny"));
}

void TstExchange::escaping_data()
{
    QTest::addColumn<TExchangeFormat>("format");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("written");
    const TExchangeFormat xml = TExchangeFormat::MoodleXml;
    const TExchangeFormat gift = TExchangeFormat::Gift;
    const TExchangeFormat aiken = TExchangeFormat::Aiken;
    QTest::newRow("xml &") << xml << "a&b" << "<text>a&amp;b</text>";
    QTest::newRow("xml <") << xml << "a<b" << "<text>a&lt;b</text>";
    QTest::newRow("xml >") << xml << "a>b" << "<text>a&gt;b</text>";
    QTest::newRow("xml \"") << xml << "a\"b" << "<text>a&quot;b</text>";
    QTest::newRow("xml ]]>") << xml << "a]]>b" << "<text>a]]&gt;b</text>";
    QTest::newRow("xml control byte") << xml << "a\x01" "b" << "<text>a?b</text>";
    QTest::newRow("xml line break") << xml << "a\nb" << "<text>a\nb</text>";
    QTest::newRow("xml polish and euro") << xml << "łódź €" << "<text>łódź €</text>";
    QTest::newRow("gift ~") << gift << "a~b" << ":: a\\~b {";
    QTest::newRow("gift =") << gift << "a=b" << ":: a\\=b {";
    QTest::newRow("gift #") << gift << "a#b" << ":: a\\#b {";
    QTest::newRow("gift {") << gift << "a{b" << ":: a\\{b {";
    QTest::newRow("gift }") << gift << "a}b" << ":: a\\}b {";
    QTest::newRow("gift :") << gift << "a:b" << ":: a\\:b {";
    QTest::newRow("gift backslash") << gift << "a\\b" << ":: a\\\\b {";
    QTest::newRow("gift backslash n") << gift << "a\\nb" << ":: a\\\\nb {";
    QTest::newRow("gift line break") << gift << "a\nb" << ":: a\\nb {";
    QTest::newRow("gift polish and euro") << gift << "łódź €" << ":: łódź € {";
    QTest::newRow("gift markup prefix") << gift << "[html]x" << ":: [plain][html]x {";
    QTest::newRow("aiken line break") << aiken << "a\nb\n\nc" << "\na b  c\nA. ";
    QTest::newRow("aiken polish and euro") << aiken << "łódź €" << "\nłódź €\nA. ";
}

void TstExchange::escaping()
{
    QFETCH(TExchangeFormat, format);
    QFETCH(QString, text);
    QFETCH(QString, written);
    std::vector<int32_t> skipped;
    const std::string file = "\n" + ExportTest(MakeTest("T", {{text.toStdString(), {"x", "y", "z"}, {1, 0, 0}}}),
                                               format, skipped);
    QVERIFY2(file.find(written.toStdString()) != std::string::npos, file.c_str());
}

void TstExchange::exportLayout_data()
{
    QTest::addColumn<TExchangeFormat>("format");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("expected");
    QTest::newRow("xml") << TExchangeFormat::MoodleXml << "Fizyka 1/2" << QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<quiz>\n"
        "  <question type=\"category\">\n"
        "    <category>\n"
        "      <text>$course$/top/Fizyka 1//2</text>\n"
        "    </category>\n"
        "  </question>\n"
        "  <question type=\"multichoice\">\n"
        "    <name>\n"
        "      <text>Ile to jest?</text>\n"
        "    </name>\n"
        "    <questiontext format=\"plain_text\">\n"
        "      <text>Ile to jest?</text>\n"
        "    </questiontext>\n"
        "    <defaultgrade>1</defaultgrade>\n"
        "    <single>true</single>\n"
        "    <shuffleanswers>0</shuffleanswers>\n"
        "    <answernumbering>ABCD</answernumbering>\n"
        "    <answer fraction=\"0\" format=\"plain_text\">\n"
        "      <text>Jeden</text>\n"
        "    </answer>\n"
        "    <answer fraction=\"100\" format=\"plain_text\">\n"
        "      <text>Dwa</text>\n"
        "    </answer>\n"
        "    <answer fraction=\"0\" format=\"plain_text\">\n"
        "      <text>Trzy</text>\n"
        "    </answer>\n"
        "  </question>\n"
        "</quiz>\n");
    QTest::newRow("gift") << TExchangeFormat::Gift << "Fizyka 1/2" << QStringLiteral(
        "// Fizyka 1/2\n"
        "$CATEGORY: Fizyka 1//2\n"
        "\n"
        "::Ile to jest?:: Ile to jest? {~Jeden =Dwa ~Trzy}\n");
    QTest::newRow("gift without a title") << TExchangeFormat::Gift << "" << QStringLiteral(
        "// \n"
        "\n"
        "::Ile to jest?:: Ile to jest? {~Jeden =Dwa ~Trzy}\n");
    QTest::newRow("aiken") << TExchangeFormat::Aiken << "Fizyka 1/2" << QStringLiteral(
        "Ile to jest?\n"
        "A. Jeden\n"
        "B. Dwa\n"
        "C. Trzy\n"
        "ANSWER: B\n");
}

void TstExchange::exportLayout()
{
    QFETCH(TExchangeFormat, format);
    QFETCH(QString, title);
    QFETCH(QString, expected);
    std::vector<int32_t> skipped{7};
    const TTest test = MakeTest(title.toStdString(), {{"Ile to jest?", {"Jeden", "Dwa", "Trzy"}, {0, 1, 0}}});
    QCOMPARE(QString::fromStdString(ExportTest(test, format, skipped)), expected);
    QVERIFY(skipped.empty());
}

void TstExchange::exportSkips_data()
{
    QTest::addColumn<TExchangeFormat>("format");
    QTest::addColumn<std::vector<int32_t>>("scores");
    QTest::addColumn<QString>("reason");
    const TExchangeFormat xml = TExchangeFormat::MoodleXml;
    const TExchangeFormat gift = TExchangeFormat::Gift;
    const TExchangeFormat aiken = TExchangeFormat::Aiken;
    const QString noneRight = QStringLiteral("wymaga co najmniej jednej poprawnej odpowiedzi");
    const QString aikenOne = QStringLiteral("format Aiken wymaga dokładnie jednej poprawnej odpowiedzi");
    QTest::newRow("xml none right") << xml << std::vector<int32_t>{0, 0, 0} << noneRight;
    QTest::newRow("xml only negative") << xml << std::vector<int32_t>{-1, -2, 0} << noneRight;
    QTest::newRow("xml two right") << xml << std::vector<int32_t>{1, 1, 0}
                                   << QStringLiteral("format Moodle XML wymaga jednej najwyżej punktowanej odpowiedzi");
    QTest::newRow("xml partial credit") << xml << std::vector<int32_t>{2, 1, 0} << QString();
    QTest::newRow("xml one answer") << xml << std::vector<int32_t>{1} << QStringLiteral("co najmniej dwóch odpowiedzi");
    QTest::newRow("gift none right") << gift << std::vector<int32_t>{0, 0, 0} << noneRight;
    QTest::newRow("gift two right") << gift << std::vector<int32_t>{1, 1, 0}
                                    << QStringLiteral("format GIFT wymaga jednej najwyżej punktowanej odpowiedzi");
    QTest::newRow("gift partial credit") << gift << std::vector<int32_t>{2, 1, 0} << QString();
    QTest::newRow("gift arrow in an answer") << gift << std::vector<int32_t>{1, 0, 0, 0}
                                             << QStringLiteral("format GIFT nie pozwala na znaki „->” w odpowiedziach");
    QTest::newRow("aiken none right") << aiken << std::vector<int32_t>{0, 0, 0} << aikenOne;
    QTest::newRow("aiken two right") << aiken << std::vector<int32_t>{1, 1, 0} << aikenOne;
    QTest::newRow("aiken partial credit") << aiken << std::vector<int32_t>{2, 1, 0} << aikenOne;
    QTest::newRow("aiken negative wrong") << aiken << std::vector<int32_t>{-1, 1, 0} << QString();
    QTest::newRow("aiken 27 answers") << aiken << [] { std::vector<int32_t> s(27, 0); s[0] = 1; return s; }()
                                      << QStringLiteral("format Aiken mieści najwyżej 26 odpowiedzi");
}

void TstExchange::exportSkips()
{
    QFETCH(TExchangeFormat, format);
    QFETCH(std::vector<int32_t>, scores);
    QFETCH(QString, reason);
    TSampleQuestion odd{"Pytanie", {}, scores};
    // A fourth answer says "->", which only GIFT cannot hold.
    for (size_t i = 0; i < scores.size(); ++i)
        odd.Answers.push_back(i == 3 ? "a -> b" : "odp " + std::to_string(i));
    const TSampleQuestion fine{"Dobre", {"a", "b", "c"}, {1, 0, 0}};
    const TTest test = MakeTest("T", {fine, odd, fine, odd});
    std::vector<int32_t> skipped;
    const std::string file = ExportTest(test, format, skipped);
    const QString why = QString::fromStdString(ExportSkipReason(*test.Questions[1], format));
    if (reason.isEmpty()) {
        QCOMPARE(why, QString());
        QVERIFY(skipped.empty());
    } else {
        QVERIFY2(why.contains(reason), qPrintable(why));
        QCOMPARE(skipped, (std::vector<int32_t>{2, 4}));
    }
    QCOMPARE(QString::fromStdString(ExportSkipReason(*test.Questions[0], format)), QString());
    // What was written reads back as the questions kept.
    std::vector<std::string> notes;
    QCOMPARE(size_t(Imported(file, format, notes).QuestionCount), 4 - skipped.size());
}

void TstExchange::fractionsAndWeights()
{
    const TTest test = MakeTest("T", {{"Q", {"a", "b", "c", "d"}, {3, 1, 2, -4}}});
    std::vector<int32_t> skipped;
    const std::string xml = ExportTest(test, TExchangeFormat::MoodleXml, skipped);
    for (const char* fraction : {"fraction=\"100\"", "fraction=\"33.33333\"", "fraction=\"66.66667\""})
        QVERIFY2(xml.find(fraction) != std::string::npos, fraction);
    QVERIFY(xml.find("fraction=\"0\" format=\"plain_text\">\n      <text>d</text>") != std::string::npos);
    const std::string gift = ExportTest(test, TExchangeFormat::Gift, skipped);
    QVERIFY2(gift.find("{=a ~%33.33333%b ~%66.66667%c ~d}") != std::string::npos, gift.c_str());
    // Partial credit has no place in the program's questions: the best
    // answer alone is correct when read back.
    std::vector<std::string> notes;
    for (const std::string& file : {xml, gift}) {
        const TTest read = Imported(file, file == xml ? TExchangeFormat::MoodleXml : TExchangeFormat::Gift, notes);
        QCOMPARE(read.QuestionCount, 1);
        QCOMPARE(Correct(*read.Questions[0]), 0);
    }
    QVERIFY(notes.empty());
}

void TstExchange::questionNames_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("name");
    QTest::newRow("short") << "Ile?" << "Ile?";
    QTest::newRow("line breaks and spaces") << "  Pierwszy\n\n  drugi  " << "Pierwszy drugi";
    QTest::newRow("whole words up to 60")
        << "Zażółć gęślą jaźń zażółć gęślą jaźń zażółć gęślą jaźń zażółć gęślą jaźń"
        << "Zażółć gęślą jaźń zażółć gęślą jaźń zażółć gęślą jaźń zażółć";
    QTest::newRow("one long word cut at 60") << QString(70, QChar(0x0105)) << QString(60, QChar(0x0105));
    QTest::newRow("empty") << "" << "Pytanie 1";
    QTest::newRow("only spaces") << " \n " << "Pytanie 1";
}

void TstExchange::questionNames()
{
    QFETCH(QString, text);
    QFETCH(QString, name);
    std::vector<int32_t> skipped;
    const std::string xml = ExportTest(MakeTest("T", {{text.toStdString(), {"a", "b", "c"}, {1, 0, 0}}}),
                                       TExchangeFormat::MoodleXml, skipped);
    QVERIFY2(xml.find("<name>\n      <text>" + name.toStdString() + "</text>") != std::string::npos, xml.c_str());
}

void TstExchange::platformFiles_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<TExchangeFormat>("format");
    QTest::addColumn<QString>("title");
    // Each question read: its text, its answers and the correct one's index, "|"-joined.
    QTest::addColumn<QStringList>("questions");
    QTest::addColumn<QStringList>("notes");
    QTest::newRow("moodle xml") << "moodle-quiz.xml" << TExchangeFormat::MoodleXml << "Komórka i tkanki"
        << QStringList{
               "Które organellum nazywamy centrum energetycznym komórki?\nWybierz jedną odpowiedź."
               "|Jądro komórkowe|Mitochondrium|Rybosom & siateczka|Aparat Golgiego|1",
               "Pierwszy wiersz\ndrugi wiersz|Tak|Nie||0",
               "Cena 5 € < 10 € & „cudzysłów” – łódź|?-helisa|Żółć|Łódź|2"}
        << QStringList{"Pytanie 2: pytanie prawda/fałsz", "Pytanie 3: pytanie z krótką odpowiedzią",
                       "Pytanie 5: pytanie z kilkoma poprawnymi odpowiedziami",
                       "Pytanie 6: pytanie otwarte (esej)", "Pytanie 7: pytanie na dopasowanie",
                       "Pytanie 8: pytanie numeryczne"};
    QTest::newRow("gift") << "platform.gift" << TExchangeFormat::Gift << "Średniowiecze"
        << QStringList{"W którym roku odbył się chrzest Polski?|1025|966|1410|1",
                       "Która stolica była pierwsza: Gniezno czy Kraków?|Kraków|Gniezno|Płock|Poznań|1",
                       "Pierwszą stolicą Polski było _____ według tradycji.|Gniezno|Kraków|Warszawa|0",
                       "Znaki specjalne: ~ = # { } \\ i €|Tak = tak|Nie\nna pewno|Może|0"}
        << QStringList{"Pytanie 3: pytanie prawda/fałsz", "Pytanie 4: pytanie otwarte (esej)",
                       "Pytanie 5: pytanie na dopasowanie", "Pytanie 6: pytanie numeryczne",
                       "Pytanie 7: pytanie z krótką odpowiedzią",
                       "Pytanie 9: pytanie z kilkoma poprawnymi odpowiedziami"};
    QTest::newRow("aiken") << "platform-aiken.txt" << TExchangeFormat::Aiken << ""
        << QStringList{"Który pierwiastek ma symbol Fe?|Fluor|Żelazo|Fosfor|Frans|1",
                       "Ile wynosi 2 + 2 · 2?|8|6|4|1", "Stolica Polski to:|Warszawa|Kraków|Łódź|0"}
        << QStringList{"Pytanie 3: poprawna odpowiedź nie należy do pytania"};
    QTest::newRow("aiken in windows-1250") << "windows-1250-aiken.txt" << TExchangeFormat::Aiken << ""
        << QStringList{"Pytanie w Windows-1250: żółw?|Łódź|Tak|Nie|0"} << QStringList{};
}

void TstExchange::platformFiles()
{
    QFETCH(QString, fixture);
    QFETCH(TExchangeFormat, format);
    QFETCH(QString, title);
    QFETCH(QStringList, questions);
    QFETCH(QStringList, notes);
    std::vector<std::string> read;
    const TTest test = Imported(Fixture(qPrintable(fixture)), format, read);
    QCOMPARE(QString::fromStdString(Utf8(test.Title)), title);
    QStringList got;
    for (const auto& question : test.Questions) {
        QStringList parts{QString::fromStdString(Utf8(question->Text))};
        for (const auto& answer : question->Answers)
            parts << QString::fromStdString(Utf8(answer->Text));
        parts << QString::number(Correct(*question));
        got << parts.join(QLatin1Char('|'));
    }
    QCOMPARE(got, questions);
    QCOMPARE(test.QuestionCount, int32_t(questions.size()));
    QCOMPARE(Joined(read), notes.join(QLatin1Char('|')));
}

void TstExchange::giftGaps_data()
{
    QTest::addColumn<QByteArray>("question");
    QTest::addColumn<QString>("text");
    QTest::newRow("gap in the middle") << QByteArray("Przed {=a ~b} po.") << "Przed _____ po.";
    QTest::newRow("gap first") << QByteArray("{=a ~b} po.") << "_____ po.";
    QTest::newRow("gap last") << QByteArray("Przed {=a ~b}") << "Przed";
    QTest::newRow("gap alone") << QByteArray("{=a ~b}") << "";
}

void TstExchange::giftGaps()
{
    QFETCH(QByteArray, question);
    QFETCH(QString, text);
    std::vector<std::string> notes;
    const TTest test = Imported(question.toStdString(), TExchangeFormat::Gift, notes);
    QCOMPARE(test.QuestionCount, 1);
    QCOMPARE(QString::fromStdString(Utf8(test.Questions[0]->Text)), text);
}

void TstExchange::hostile_data()
{
    QTest::addColumn<TExchangeFormat>("format");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error");  // part of the message thrown; empty: none thrown
    QTest::addColumn<int>("questions");
    QTest::addColumn<int>("notes");
    const TExchangeFormat xml = TExchangeFormat::MoodleXml;
    const TExchangeFormat gift = TExchangeFormat::Gift;
    const TExchangeFormat aiken = TExchangeFormat::Aiken;
    const QByteArray good = "<question type=\"multichoice\"><questiontext format=\"plain_text\"><text>Q</text>"
                            "</questiontext><answer fraction=\"100\"><text>a</text></answer>"
                            "<answer fraction=\"0\"><text>b</text></answer></question>";
    QTest::newRow("xml unclosed element") << xml << QByteArray("<quiz>\n" + good + "\n<question>") << "wiersz 3" << 0 << 0;
    QTest::newRow("xml mismatched tag") << xml << QByteArray("<quiz></question></quiz>") << "nie pasuje" << 0 << 0;
    QTest::newRow("xml cut in a tag") << xml << QByteArray("<quiz><question type=\"multi") << "atrybutu" << 0 << 0;
    QTest::newRow("xml cut in cdata") << xml << QByteArray("<quiz><text><![CDATA[abc") << "CDATA" << 0 << 0;
    QTest::newRow("xml not xml") << xml << QByteArray("Pytanie\nA. b\nANSWER: A") << "poza elementem" << 0 << 0;
    QTest::newRow("xml other root") << xml << QByteArray("<html><body/></html>") << "<quiz>" << 0 << 0;
    QTest::newRow("xml empty") << xml << QByteArray() << "brak elementu" << 0 << 0;
    QTest::newRow("xml bare ampersand") << xml << QByteArray("<quiz>a & b</quiz>") << "&" << 0 << 0;
    QTest::newRow("xml deep nesting") << xml << QByteArray("<quiz>" + QByteArray("<a>").repeated(100000))
                                      << "zagnieżdżone" << 0 << 0;
    QTest::newRow("xml nesting just allowed")
        << xml << QByteArray("<quiz>" + QByteArray("<a>").repeated(62) + QByteArray("</a>").repeated(62) + good + "</quiz>")
        << "" << 1 << 0;
    QTest::newRow("xml billion laughs")
        << xml
        << QByteArray("<?xml version=\"1.0\"?>\n<!DOCTYPE lolz [\n <!ENTITY lol \"lol\">\n"
                      " <!ENTITY lol2 \"&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;\">\n"
                      " <!ENTITY lol3 \"&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;\">\n]>\n"
                      "<quiz><question type=\"essay\"><name><text>&lol3;</text></name></question></quiz>")
        << "&lol3;" << 0 << 0;
    QTest::newRow("xml external entity")
        << xml
        << QByteArray("<!DOCTYPE quiz [<!ENTITY xxe SYSTEM \"file:///etc/passwd\">]>"
                      "<quiz><question type=\"multichoice\"><questiontext><text>&xxe;</text></questiontext>"
                      "</question></quiz>")
        << "&xxe;" << 0 << 0;
    QTest::newRow("xml doctype without entities") << xml << QByteArray("<!DOCTYPE quiz [<!-- ] > -->]><quiz>" + good + "</quiz>")
                                                  << "" << 1 << 0;
    QTest::newRow("xml question without answers") << xml << QByteArray("<quiz><question type=\"multichoice\"/></quiz>")
                                                  << "" << 0 << 1;
    // Each of these took a pass over the rest of the text per character.
    QTest::newRow("xml html of many unclosed tags")
        << xml << QByteArray("<quiz><question type=\"multichoice\"><questiontext format=\"html\"><text>"
                             + QByteArray("&lt;a").repeated(200000) + "</text></questiontext>"
                             "<answer fraction=\"100\"><text>a</text></answer><answer><text>b</text></answer>"
                             "</question></quiz>")
        << "" << 1 << 0;
    QTest::newRow("xml many attributes")
        << xml << QByteArray("<quiz><x" + QByteArray(" a=\"1\"").repeated(100000) + "/></quiz>") << "" << 0 << 0;
    QTest::newRow("gift many ampersands")
        << gift << QByteArray("[html]" + QByteArray("&").repeated(400000) + ";{=a ~b}") << "" << 1 << 0;
    QTest::newRow("xml huge character reference") << xml << QByteArray("<quiz>&#99999999999;</quiz>") << "&" << 0 << 0;
    QTest::newRow("gift unclosed brace")
        << gift << QByteArray("::a:: Pytanie {=a ~b ~c\n\n::b:: Drugie {=x ~y ~z}\n") << "" << 1 << 1;
    QTest::newRow("gift unclosed brace at the end") << gift << QByteArray("Pytanie {=a ~b") << "" << 0 << 1;
    QTest::newRow("gift lone closing brace") << gift << QByteArray("Pytanie } =a ~b") << "" << 0 << 1;
    QTest::newRow("gift trailing backslash") << gift << QByteArray("Pytanie {=a ~b\\") << "" << 0 << 1;
    QTest::newRow("gift unclosed name") << gift << QByteArray("::nazwa Pytanie {=a ~b}") << "" << 0 << 1;
    QTest::newRow("gift unclosed weight") << gift << QByteArray("Pytanie {=a ~%50b}") << "" << 0 << 1;
    QTest::newRow("gift no braces at all") << gift << QByteArray("Zwykły tekst\n\nI drugi akapit") << "GIFT" << 0 << 0;
    QTest::newRow("gift only comments") << gift << QByteArray("// nic\n// więcej nic\n") << "" << 0 << 0;
    QTest::newRow("gift two gaps") << gift << QByteArray("A {=a ~b} i {=c ~d}") << "" << 0 << 1;
    QTest::newRow("aiken no answer line") << aiken << QByteArray("Pytanie\nA. a\nB. b\n") << "Aiken" << 0 << 0;
    QTest::newRow("aiken answer line first") << aiken << QByteArray("ANSWER: A\nPytanie\nA. a\nB. b\nANSWER: A\n")
                                             << "" << 1 << 1;
    QTest::newRow("aiken letters out of order") << aiken << QByteArray("Pytanie\nB. a\nA. b\nANSWER: A\n") << "" << 0 << 1;
    QTest::newRow("aiken last question cut") << aiken << QByteArray("P\nA. a\nB. b\nANSWER: B\nQ\nA. a\n") << "" << 1 << 1;
    QTest::newRow("aiken bad key") << aiken << QByteArray("P\nA. a\nB. b\nANSWER: AB\n") << "" << 0 << 1;
    QTest::newRow("aiken stray line") << aiken << QByteArray("P\nA. a\nxyz\nB. b\nANSWER: B\n") << "" << 0 << 1;
    QTest::newRow("aiken invalid utf-8 and zero bytes")
        << aiken << QByteArray("P\xff\x00\nA. a\nB. b\nANSWER: B\n", 24) << "" << 1 << 0;
}

void TstExchange::hostile()
{
    QFETCH(TExchangeFormat, format);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    QFETCH(int, questions);
    QFETCH(int, notes);
    TTest test;
    std::vector<std::string> read;
    try {
        ImportTest(bytes.toStdString(), format, test, read);
        QVERIFY2(error.isEmpty(), qPrintable(QStringLiteral("nothing thrown, expected ") + error));
    } catch (const std::runtime_error& e) {
        const QString message = QString::fromStdString(e.what());
        QVERIFY2(!error.isEmpty() && message.contains(error), qPrintable(message));
        return;
    }
    QCOMPARE(test.QuestionCount, questions);
    QCOMPARE(test.Questions.size(), size_t(questions));
    QCOMPARE(int(read.size()), notes);
}

void TstExchange::fiftyMegabytes_data()
{
    QTest::addColumn<TExchangeFormat>("format");
    QTest::newRow("xml") << TExchangeFormat::MoodleXml;
    QTest::newRow("gift") << TExchangeFormat::Gift;
    QTest::newRow("aiken") << TExchangeFormat::Aiken;
}

void TstExchange::fiftyMegabytes()
{
    QFETCH(TExchangeFormat, format);
    // A question with long texts, repeated until the file passes 50 MB: the
    // readers must go through it in one pass, not once per question.
    const std::string words(2000, 'x');
    TTest one = MakeTest("Duży", {{"Pytanie " + words, {"a" + words, "b" + words, "c" + words}, {0, 1, 0}}});
    std::vector<int32_t> skipped;
    const std::string single = ExportTest(one, format, skipped);
    TTest two = MakeTest("Duży", {{"Pytanie " + words, {"a" + words, "b" + words, "c" + words}, {0, 1, 0}},
                                  {"Pytanie " + words, {"a" + words, "b" + words, "c" + words}, {0, 1, 0}}});
    const std::string pair = ExportTest(two, format, skipped);
    // The text of one question: what the second one added.
    const size_t common = [&] {
        size_t n = 0;
        while (n < single.size() && single[n] == pair[n])
            ++n;
        return n;
    }();
    const std::string question = pair.substr(common, pair.size() - single.size());
    std::string file = pair.substr(0, common);
    size_t count = 1;
    while (file.size() < 50u * 1024 * 1024) {
        file += question;
        ++count;
    }
    file += single.substr(common);
    QVERIFY(file.size() > 50u * 1024 * 1024);
    std::vector<std::string> notes;
    const TTest read = Imported(file, format, notes);
    QVERIFY(notes.empty());
    QCOMPARE(size_t(read.QuestionCount), count);
    QCOMPARE(Correct(*read.Questions.back()), 1);
    QCOMPARE(read.Questions.back()->Answers[2]->Text, "c" + words);
}

QTEST_APPLESS_MAIN(TstExchange)
#include "tst_exchange.moc"
