// The test model and its file format: plain C++ and the standard library only.
//
// Every text field holds Windows-1250 bytes, exactly as they stand in a .test
// file; line breaks inside texts are CR LF. The model never shows anything:
// the reader hands its one error message to a function its caller passes in.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// One element per line, the bytes of the line without its line end.
using TLines = std::vector<std::string>;

// Where the bytes of a test go as they are written; see TTest::SaveToSink.
class TByteSink
{
public:
    virtual ~TByteSink() = default;
    virtual void Write(std::string_view bytes) = 0;
};

// Where the bytes of a test come from as they are read; see
// TTest::LoadFromSource.
class TByteSource
{
public:
    virtual ~TByteSource() = default;
    // Fills `size` bytes at `buffer` with the next bytes, fewer only when
    // the end comes first, and returns how many it gave: 0 at the end.
    virtual size_t Read(char* buffer, size_t size) = 0;
};

// How reading a test from bytes went.
struct TReadOutcome
{
    bool Failed = false;        // reading stopped at an error
    int32_t StoppedAtLine = 0;  // the line counter when it stopped, as in the message
    bool KeyFound = false;      // at least one line held a key of the format
};

// One answer of a question; the correct answer scores 1, the others 0.
struct TAnswer
{
    std::string Text;
    int32_t Score = 0;
};

// One band of results and its verdict. The bounds stay text, as read.
struct TScoreRange
{
    std::string LowerBound;
    std::string UpperBound;
    std::string Description;
};

// One question with its answers. Answers are owned here and keep their
// address while they exist.
class TQuestion
{
public:
    std::string Text;
    std::string Kind;
    std::vector<std::unique_ptr<TAnswer>> Answers;
    int32_t FontSize = 0;
    int32_t AnswerCount = 0;

    // The answer at a 0-based index, or nullptr outside the answers held.
    TAnswer* GetAnswer(int32_t index) const;
    // Appends an empty answer (score 0) and keeps AnswerCount in step.
    TAnswer* AddAnswer();
    // Makes this question a faithful copy of another one: every field and
    // every answer, whatever their number.
    void CopyFrom(const TQuestion& other);
};

// One test: title, description, score ranges and questions. Questions and
// ranges are owned here and keep their address while they exist, so list
// items may hold plain pointers to questions.
class TTest
{
public:
    std::string Title;
    std::string Description;
    int32_t FontSize = 0;
    bool Percentage = false;
    int32_t RangeCount = 0;
    std::vector<std::unique_ptr<TScoreRange>> Ranges;
    int32_t QuestionCount = 0;
    std::vector<std::unique_ptr<TQuestion>> Questions;

    // The question at a 0-based index, or nullptr outside the questions.
    TQuestion* GetQuestion(int32_t index) const;
    // Appends "Pytanie nr n" with the three default answers (A correct).
    TQuestion* AddQuestion();
    // Removes the question at a 0-based index; an index outside does nothing.
    void DeleteQuestion(int32_t index);
    // Appends an empty range and keeps RangeCount in step.
    TScoreRange* AddRange();

    // Empties `lines` and fills it with the tagged lines of this test.
    void SaveToLines(TLines& lines) const;
    // Fills this (freshly created) test from tagged lines. A reading error
    // ends reading; its message "Błąd w linii N" (Windows-1250) goes to
    // `showMessage` and the fields read so far stay. Afterwards every count
    // equals the number of records held.
    void LoadFromLines(const TLines& lines,
                       const std::function<void(const std::string& message)>& showMessage);

    // The fast paths of the two above, with the same result and the same
    // message. The writer hands out the bytes of the file (lines with CR LF)
    // in pieces of exactly 64 KiB (the last one shorter), never
    // holding more than one piece; the reader takes the whole file's bytes,
    // split into lines as SplitLines does, without copying them line by line.
    void SaveToSink(TByteSink& sink) const;
    TReadOutcome LoadFromBytes(std::string_view bytes,
                               const std::function<void(const std::string& message)>& showMessage);
    // The same, taking the bytes a piece at a time as it needs them, so
    // that no more than a line and a piece of them are ever held. It asks
    // for whole multiples of 64 KiB, and stops asking once reading ends.
    TReadOutcome LoadFromSource(TByteSource& source,
                                const std::function<void(const std::string& message)>& showMessage);
    // A hash of the test as a reader of its file would see it: two tests
    // with the same hash read back the same (blanks at a line's end, which
    // the reader drops, do not count).
    uint64_t ContentHash() const;
};

// The error that ends reading a test; LoadFromLines catches it.
class TReadError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

struct TTaggedLine
{
    std::string Key;
    std::string Value;
};

// Removes every byte with a code of 32 or below from both ends.
std::string Trim(const std::string& text);
// The upper-cased key of a line beginning with "[", else empty.
std::string ExtractKey(const std::string& line);
// Everything after the first "]" of a line beginning with "[", else empty.
std::string ExtractValue(const std::string& line);
// Reads line `counter` (trimmed) and advances the counter; past the last
// line it throws TReadError.
TTaggedLine ReadTaggedLine(const TLines& lines, int32_t& counter);
// The file format's yes/no reading: a substring test against a fixed list.
bool ParseFlag(const std::string& text);
// The file format's integer rules: leading spaces, a sign, decimal digits in
// 32-bit range, or $/x/X/0x/0X hexadecimal read as two's complement.
bool TryParseInt(const std::string& text, int32_t& value);

// Splits file bytes into lines: a line ends at CR LF, LF or CR, a last line
// without an end still counts, and the first zero byte ends the text.
TLines SplitLines(const std::string& bytes);
// Reads a whole file as lines; throws std::runtime_error
// "Cannot open file <path>" when it cannot be read.
TLines LoadLinesFromFile(const std::string& path);
// Writes each line followed by CR LF, through a temporary file in the same
// folder renamed over the target, so a failed write leaves the old file
// intact. The target is written through symbolic links and must be a regular
// file the user may write, when it exists; the new file is flushed to the
// disk before it replaces the old one. Temporary files that an earlier,
// interrupted write left in the folder are removed. Throws std::runtime_error
// "Cannot create file <path>: <reason>".
void SaveLinesToFile(const std::string& path, const TLines& lines);

// What a file held when it was read or written: enough to tell afterwards
// whether someone else has replaced it.
struct TFileStamp
{
    uint64_t Size = 0;
    int64_t ModifiedNs = 0;  // modification time, nanoseconds since the epoch
    uint64_t Hash = 0;       // of the content, see HashOfBytes
    bool operator==(const TFileStamp& other) const
    {
        return Size == other.Size && ModifiedNs == other.ModifiedNs && Hash == other.Hash;
    }
    bool operator!=(const TFileStamp& other) const { return !(*this == other); }
};

// A non-cryptographic hash of bytes, taken over 64 KiB pieces so that it can
// be had while the bytes are written.
uint64_t HashOfBytes(std::string_view bytes);

// The bytes of a whole file in one buffer, with the file's stamp.
class TFileBytes
{
public:
    std::string_view View() const { return {Data.get(), Size}; }
    TFileStamp Stamp;

private:
    friend TFileBytes LoadBytesFromFile(const std::string& path);
    std::unique_ptr<char[]> Data;
    size_t Size = 0;
};

// Thrown instead of reading a path that is no regular file (a folder, a
// named pipe, a device): those could block or never end. Its message is the
// one of any file that cannot be read.
class TNotRegularFileError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Reads a whole regular file in one go; throws std::runtime_error
// "Cannot open file <path>" when it cannot, TNotRegularFileError with the
// same message when the path is no regular file.
TFileBytes LoadBytesFromFile(const std::string& path);

// Reads a test file as LoadFromSource does, a piece at a time, so that the
// whole file is never held in memory; the file's stamp, as
// LoadBytesFromFile gives it, goes to `stamp`. Throws as LoadBytesFromFile.
TReadOutcome LoadTestFromFile(const std::string& path, TTest& test, TFileStamp& stamp,
                              const std::function<void(const std::string& message)>& showMessage);

enum class TFileState { Missing, AsStamped, Changed };
// Compares the file at `path` with a stamp taken before: the hash is read
// only when size and time still agree.
TFileState CompareFileWithStamp(const std::string& path, const TFileStamp& stamp);

// Writes the test's file as SaveToSink gives it, by the same safe replace as
// SaveLinesToFile, and returns the stamp of the file written.
TFileStamp SaveTestToFile(const std::string& path, const TTest& test);

// Copies the file to "<path>.bak", or to "<path>.1.bak", "<path>.2.bak", …
// when that exists, never replacing a file; returns the name of the copy.
// Throws std::runtime_error "Cannot create file <copy>: <reason>".
std::string BackUpFile(const std::string& path);
// Writes the bytes as they are, in the same safe way as SaveLinesToFile.
void SaveBytesToFile(const std::string& path, const std::string& content);
