// Remakes the checked-in seed corpora of the fuzz targets:
//   orthex_fuzz_seeds CORPUS_DIR      (writes CORPUS_DIR/archive, /userfile and /wavheader)
// Most seeds are written by the program's own writers (result lists, the user information file,
// a recording); the edge files are put together byte by byte, each for a case the readers must
// refuse or bound: huge counts and lengths, references, 8-bit texts, wrong schemas, cut streams.

#include "sound/wavfile.h"
#include "sound/wavformat.h"
#include "storage/recordlist.h"
#include "storage/records.h"
#include "users/resultfiles.h"
#include "users/user.h"
#include "users/userfile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <QtEndian>

#include <cstdio>
#include <initializer_list>
#include <memory>

namespace {

bool g_bFailed = false;

void Write(const QString& folder, const char* name, const QByteArray& bytes)
{
    QDir().mkpath(folder);
    QFile file(folder + QLatin1Char('/') + QLatin1String(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
        g_bFailed = true;
    }
}

QByteArray Hex(const char* hex)
{
    return QByteArray::fromHex(hex);
}

QByteArray Le16(quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    return QByteArray(b, 2);
}

QByteArray Le32(quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    return QByteArray(b, 4);
}

// A text in UTF-16 form with a short length.
QByteArray Text(const char* ascii)
{
    QByteArray out = Hex("FFFEFF");
    const QByteArray units = QByteArray(ascii);
    out.append(char(units.size()));
    for (char c : units)
        out.append(c).append('\0');
    return out;
}

QByteArray ClassHeader(const char* name, quint16 schema)
{
    return Hex("FFFF") + Le16(schema) + Le16(quint16(qstrlen(name))) + QByteArray(name);
}

std::unique_ptr<CGrade> Grade(const char* list, const char* date, qint32 correct, qint32 words)
{
    auto g = std::make_unique<CGrade>();
    g->SetListName(QString::fromUtf8(list));
    g->SetDateText(QString::fromUtf8(date));
    g->SetCorrectCount(correct);
    g->SetWordCount(words);
    return g;
}

std::unique_ptr<CMissed> Missed(const char* list, const char* word, const QString& misspelling)
{
    auto m = std::make_unique<CMissed>();
    m->SetListName(QString::fromUtf8(list));
    m->SetDateText(QStringLiteral("12/08/26, 03:10 AM"));
    m->SetWord(QString::fromUtf8(word));
    m->SetMisspelling(misspelling);
    return m;
}

std::unique_ptr<CVocabulary> Vocabulary(const char* list, const char* word)
{
    auto v = std::make_unique<CVocabulary>();
    v->SetListName(QString::fromUtf8(list));
    v->SetDateText(QStringLiteral("12/08/26, 03:10 AM"));
    v->SetWord(QString::fromUtf8(word));
    return v;
}

std::unique_ptr<CUser> User(const QString& name, const QString& password)
{
    auto u = std::make_unique<CUser>();
    u->SetName(name);
    u->SetPassword(password);
    return u;
}

void ArchiveSeeds(const QString& dir)
{
    CRecordList<CGrade> grades;
    Write(dir, "empty-list", CResultFiles::Store(grades));
    grades.AddTail(Grade("Week1", "12/08/26, 03:10 AM", 8, 10));
    Write(dir, "grade-one.sp3", CResultFiles::Store(grades));
    grades.AddTail(Grade("Week1--Repeat, Stopped", "12/08/26, 03:20 AM", -1, 0));
    grades.AddTail(Grade("Week2--Stopped Test", "Time Error", 0, 2147483647));
    Write(dir, "grades-three.sp3", CResultFiles::Store(grades));

    CRecordList<CMissed> missed;
    missed.AddTail(Missed("Week1", "receive", QStringLiteral("recieve")));
    missed.AddTail(Missed("Week1", "phone", QString::fromUtf8("fone\xc3\xa9")));
    Write(dir, "missed-two.sp4", CResultFiles::Store(missed));
    Write(dir, "missed-in-grade-file.sp3", CResultFiles::Store(missed));
    missed.AddTail(Missed("Week2", "long", QString(300, QLatin1Char('x'))));
    Write(dir, "missed-text-300-units.sp4", CResultFiles::Store(missed));

    CRecordList<CVocabulary> vocabulary;
    vocabulary.AddTail(Vocabulary("Week1", "island"));
    vocabulary.AddTail(Vocabulary("Week1", "knight"));
    Write(dir, "vocabulary-two.sp5", CResultFiles::Store(vocabulary));

    const QByteArray gradeFields = Le32(8) + Le32(10) + Text("12/08/26, 03:10 AM") + Text("Week1");
    // 8-bit texts: a length byte without the UTF-16 mark, the bytes in the ANSI code page.
    Write(dir, "missed-8bit-texts.sp4",
          Hex("0100") + ClassHeader("CMissed", 0) + Hex("05") + "Week1" + Hex("00") + Hex("04") + "word"
              + Hex("05") + "w\xf6rd\x80");
    // A new record, a reference to it (index 2), a null entry, then the class by index (0x8001).
    Write(dir, "grades-reference-null.sp3",
          Hex("0400") + ClassHeader("CGrade", 0) + gradeFields + Hex("0200") + Hex("0000") + Hex("0180") + gradeFields);
    // The class by its 4-byte index form: FF 7F then 0x80000001.
    Write(dir, "grades-big-class-tag.sp3",
          Hex("0200") + ClassHeader("CGrade", 0) + gradeFields + Hex("FF7F") + Le32(0x80000001) + gradeFields);
    Write(dir, "vocabulary-schema-0.sp5",
          Hex("0100") + ClassHeader("CVocabulary", 0) + Text("Week1") + Text("d") + Text("w") + Text(""));
    Write(dir, "unknown-class.sp3", Hex("0100") + ClassHeader("CSpellingRules", 0) + gradeFields);
    Write(dir, "class-name-64-bytes.sp3", Hex("0100") + Hex("FFFF0000") + Le16(64) + QByteArray(64, 'C'));
    // An element count of 0xFFFFFFFF, with one record behind it.
    Write(dir, "count-ffffffff.sp3", Hex("FFFF") + Le32(0xFFFFFFFF) + ClassHeader("CGrade", 0) + gradeFields);
    // A text that claims 0x7FFFFFFF code units (4-byte length), with four behind it.
    Write(dir, "text-length-7fffffff.sp3",
          Hex("0100") + ClassHeader("CGrade", 0) + Le32(8) + Le32(10) + Hex("FFFEFF" "FF" "FFFF") + Le32(0x7FFFFFFF)
              + QByteArray("W\0e\0e\0k\0", 8));
    // The same through the 8-byte length, and one unit over the limit.
    Write(dir, "text-length-64bit.sp3",
          Hex("0100") + ClassHeader("CGrade", 0) + Le32(8) + Le32(10) + Hex("FFFEFF" "FF" "FFFF" "FFFFFFFF")
              + Hex("FFFFFF7F00000000") + QByteArray("W\0", 2));
    Write(dir, "text-length-80000000.sp3",
          Hex("0100") + ClassHeader("CGrade", 0) + Le32(8) + Le32(10) + Hex("FFFEFF" "FF" "FFFF" "FFFFFFFF")
              + Hex("0000008000000000"));
    // An 8-bit text of 0x7FFFFFFF bytes.
    Write(dir, "text-8bit-length-7fffffff.sp4",
          Hex("0100") + ClassHeader("CMissed", 0) + Hex("FF" "FFFF") + Le32(0x7FFFFFFF) + "Week1");
    Write(dir, "cut-inside-text.sp3", CResultFiles::Store(grades).left(40));
    // One record with a text of 1500 units, then 300 references to it: the copies would repeat
    // far more than the stream holds.
    QByteArray longDate = Hex("FFFEFF" "FF") + Le16(1500);
    for (int i = 0; i < 1500; ++i)
        longDate.append('x').append('\0');
    QByteArray repeated = Hex("0000");
    qToLittleEndian<quint16>(301, repeated.data());
    repeated += ClassHeader("CGrade", 0) + Le32(1) + Le32(2) + longDate + Text("L");
    for (int i = 0; i < 300; ++i)
        repeated += Hex("0200");
    Write(dir, "references-repeating-a-long-record.sp3", repeated);
}

void UserSeeds(const QString& dir)
{
    CRecordList<CUser> users;
    Write(dir, "empty", CUserFile::Store(users));
    users.AddTail(User(QStringLiteral("Ann"), QStringLiteral(" ")));
    Write(dir, "one-user-blank-password.lgn", CUserFile::Store(users));
    users.AddTail(User(QStringLiteral("anna"), QStringLiteral("secret")));
    users.AddTail(User(QString::fromUtf8("Ren\xc3\xa9"), QString(QChar(0)) + QStringLiteral("zero")));
    users.AddTail(User(QStringLiteral("Anna"), QString(260, QLatin1Char('p'))));
    Write(dir, "four-users.lgn", CUserFile::Store(users));
    const QByteArray name = Hex("FFFEFF03" "6C00" "8DFF" "8DFF");  // "Abb" scrambled
    Write(dir, "count-ffffffff.lgn", Hex("FFFF") + Le32(0xFFFFFFFF) + ClassHeader("CUser", 0) + name + Hex("FFFEFF014B00"));
    Write(dir, "name-length-7fffffff.lgn",
          Hex("0100") + ClassHeader("CUser", 0) + Hex("FFFEFF" "FF" "FFFF") + Le32(0x7FFFFFFF) + Hex("6C008D00"));
    Write(dir, "grade-in-user-file.lgn", Hex("0100") + ClassHeader("CGrade", 0) + Le32(1) + Le32(2) + Text("") + Text(""));
    Write(dir, "cut-inside-password.lgn", CUserFile::Store(users).left(50));
}

void WavSeeds(const QString& dir)
{
    QTemporaryDir temp;
    const QString path = temp.filePath(QStringLiteral("Temp.wav"));
    auto record = [&](const CWaveFormat& format, const QByteArray& sound) {
        CWavFile wav;
        QByteArray bytes;
        if (wav.OpenForWriting(path, format) && (sound.isEmpty() || wav.Write(sound.constData(), sound.size()) == sound.size())
            && wav.Close()) {
            QFile file(path);
            if (file.open(QIODevice::ReadOnly))
                bytes = file.readAll();
        }
        if (bytes.isEmpty()) {
            std::fprintf(stderr, "cannot make a recording in %s\n", qPrintable(path));
            g_bFailed = true;
        }
        return bytes;
    };
    const CWaveFormat stereo = CWaveFormat::Pcm(2, 22050, 16);
    Write(dir, "recording-empty.wav", record(stereo, QByteArray()));
    QByteArray sound;
    for (int i = 0; i < 64; ++i)
        sound.append(char(i * 7)).append(char(i));
    Write(dir, "recording-short.wav", record(stereo, sound));
    Write(dir, "recording-8bit-mono.wav", record(CWaveFormat::Pcm(1, 8000, 8), sound.left(33)));
    Write(dir, "recording-header-open.wav", WavHeader::BuildRecordingHeader(stereo));

    // IEEE float in the extensible format: 22 extra bytes, the sub-format's first two bytes 3.
    CWaveFormat extensible;
    extensible.wFormatTag = CWaveFormat::kExtensible;
    extensible.nChannels = 2;
    extensible.nSamplesPerSec = 48000;
    extensible.nBlockAlign = 8;
    extensible.nAvgBytesPerSec = 384000;
    extensible.wBitsPerSample = 32;
    extensible.extra = Le16(32) + Le32(3) + Hex("0300000000001000800000AA00389B71");
    Write(dir, "float-extensible.wav", record(extensible, sound.left(32)));

    const QByteArray fmt = QByteArray("fmt ") + Le32(16) + stereo.ChunkBody();
    const QByteArray data = QByteArray("data") + Le32(8) + QByteArray(8, '\x01');
    // A chunk of odd length before "data", with its pad byte.
    const QByteArray list = QByteArray("LIST") + Le32(5) + QByteArray("INFOx") + QByteArray(1, '\0');
    QByteArray body = QByteArray("WAVE") + fmt + list + data;
    Write(dir, "odd-chunk-before-data.wav", QByteArray("RIFF") + Le32(quint32(body.size())) + body);
    // "data" claims far more than the file holds; "RIFF" claims less than it holds.
    body = QByteArray("WAVE") + fmt + QByteArray("data") + Le32(0xFFFFFFF0) + QByteArray(6, '\x02');
    Write(dir, "data-longer-than-file.wav", QByteArray("RIFF") + Le32(0xFFFFFFFF) + body);
    Write(dir, "riff-shorter-than-chunks.wav", QByteArray("RIFF") + Le32(20) + body);
    // "fmt " of a non-PCM format whose extra size points past its chunk.
    body = QByteArray("WAVE") + QByteArray("fmt ") + Le32(18) + Hex("0200020022560000") + Le32(88200) + Hex("04001000")
           + Le16(1000) + data;
    Write(dir, "extra-past-fmt-chunk.wav", QByteArray("RIFF") + Le32(quint32(body.size())) + body);
    // Sound that playback refuses or cuts: 1 Hz, a byte rate of 1, data ending in a piece of a frame.
    auto pcmFile = [](const CWaveFormat& format, const QByteArray& samples) {
        const QByteArray chunks = QByteArray("WAVE") + QByteArray("fmt ") + Le32(16) + format.ChunkBody() + QByteArray("data")
                                  + Le32(quint32(samples.size())) + samples + QByteArray(samples.size() & 1, '\0');
        return QByteArray("RIFF") + Le32(quint32(chunks.size())) + chunks;
    };
    Write(dir, "pcm-at-1-hz.wav", pcmFile(CWaveFormat::Pcm(1, 1, 16), sound.left(16)));
    CWaveFormat byteRate1 = CWaveFormat::Pcm(1, 22050, 16);
    byteRate1.nAvgBytesPerSec = 1;
    Write(dir, "byte-rate-1.wav", pcmFile(byteRate1, sound.left(16)));
    Write(dir, "data-ends-in-part-of-a-frame.wav", pcmFile(stereo, sound.left(7)));
    Write(dir, "fmt-chunk-cut.wav", QByteArray("RIFF") + Le32(24) + QByteArray("WAVE") + QByteArray("fmt ") + Le32(16) + Hex("01000200"));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: orthex_fuzz_seeds CORPUS_DIR\n");
        return 2;
    }
    const QString corpus = QString::fromLocal8Bit(argv[1]);
    ArchiveSeeds(corpus + QStringLiteral("/archive"));
    UserSeeds(corpus + QStringLiteral("/userfile"));
    WavSeeds(corpus + QStringLiteral("/wavheader"));
    return g_bFailed ? 1 : 0;
}
