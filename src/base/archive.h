#pragma once

#include "base/classregistry.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QtEndian>

#include <cstring>
#include <exception>
#include <utility>
#include <vector>

// A failure while reading an archive. Offset() is the byte of the stream where reading went
// wrong: for a stream that ends too early, the number of bytes it held; otherwise the first
// byte of the field that is wrong (the tag of an entry, the schema or name of a class, the
// start of a text).
class CArchiveException : public std::exception
{
public:
    CArchiveException(qint64 offset, QString reason);

    qint64 Offset() const { return m_nOffset; }
    QString Reason() const { return m_strReason; }
    // "archive error at byte N: reason"
    QString Text() const;
    const char* what() const noexcept override { return m_what.constData(); }

private:
    qint64 m_nOffset;
    QString m_strReason;
    QByteArray m_what;
};

// Reads or writes the archive byte format of stored record lists (little-endian numbers,
// counted texts, class and object references) over an open device, through a 4096-byte buffer.
//
// Loading: every Read function throws CArchiveException when the stream ends early, the device
// fails or the data is not valid. Storing: a failing device does not throw; the failure sticks,
// later data is dropped, and Flush() (or HasWriteError()) reports it, so a caller never takes a
// file for saved when it was not. The destructor of a storing archive flushes what is left.
class CArchive
{
public:
    enum Mode { Load, Store };
    static constexpr int kBufferSize = 4096;

    CArchive(QIODevice& device, Mode mode);
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool IsStoring() const { return m_eMode == Store; }
    bool IsLoading() const { return m_eMode == Load; }

    // Bytes consumed (loading) or produced (storing) so far, buffered ones included.
    qint64 Offset() const { return m_nBufferStart + m_nPos; }

    // --- storing ---
    void WriteUInt8(quint8 value) { WriteLE(value); }
    void WriteUInt16(quint16 value) { WriteLE(value); }
    void WriteInt16(qint16 value) { WriteLE(value); }
    void WriteUInt32(quint32 value) { WriteLE(value); }
    void WriteInt32(qint32 value) { WriteLE(value); }
    void WriteUInt64(quint64 value) { WriteLE(value); }
    void WriteBytes(const char* data, qint64 size);
    // Always in UTF-16 form: FF FE FF, the length in code units, the units.
    void WriteText(const QString& text);
    // An element count: 2 bytes below 0xFFFF, otherwise FF FF and 4 bytes.
    void WriteCount(quint32 count);
    // Hands the buffer to the device and, for a file, the file's own buffer to the system.
    // False when any write since the archive was opened has failed.
    bool Flush();
    bool HasWriteError() const { return m_bWriteFailed; }
    QString WriteErrorString() const { return m_strWriteError; }

    // --- loading ---
    quint8 ReadUInt8() { return ReadLE<quint8>(kWhatNumber); }
    quint16 ReadUInt16() { return ReadLE<quint16>(kWhatNumber); }
    qint16 ReadInt16() { return ReadLE<qint16>(kWhatNumber); }
    quint32 ReadUInt32() { return ReadLE<quint32>(kWhatNumber); }
    qint32 ReadInt32() { return ReadLE<qint32>(kWhatNumber); }
    quint64 ReadUInt64() { return ReadLE<quint64>(kWhatNumber); }
    void ReadBytes(char* data, qint64 size) { ReadRaw(data, size, kWhatBytes); }
    // Accepts the UTF-16 form and the 8-bit form (decoded as Windows-1252). A length above
    // 0x7FFFFFFF is refused; long texts are read in bounded steps, so a stored length never
    // allocates more than about twice what the stream really holds.
    QString ReadText();
    quint32 ReadCount();

    // --- object entries (used by StoreList and LoadList) ---

    // Writes the class reference that introduces a new object of that class (the full class
    // description the first time, the class's index afterwards) and numbers the object.
    void WriteNewObjectTag(const SArchiveClass& cls);

    struct SObjectTag {
        enum class EKind { Null, Reference, New };
        EKind kind;
        quint32 index;  // Reference: the object referred to; New: the index the new object takes
    };
    // Reads the tag of an entry where an object of class expected belongs. Throws for an unknown
    // class, a wrong schema, an index not read before, and a class other than expected
    // ("unexpected class"). A Reference's index is known to be an object read earlier.
    SObjectTag ReadObjectTag(const SArchiveClass& expected);

private:
    static constexpr const char* kWhatNumber = "a number";
    static constexpr const char* kWhatBytes = "a block of bytes";
    static constexpr const char* kWhatText = "a text";
    static constexpr const char* kWhatCount = "the element count";
    static constexpr const char* kWhatTag = "an object entry";

    template <class U>
    void WriteLE(U value)
    {
        Q_ASSERT(IsStoring());
        if (kBufferSize - m_nPos >= qint64(sizeof(U))) {
            qToLittleEndian(value, m_buffer + m_nPos);
            m_nPos += sizeof(U);
            return;
        }
        char bytes[sizeof(U)];
        qToLittleEndian(value, bytes);
        WriteBytes(bytes, sizeof(U));
    }

    template <class U>
    U ReadLE(const char* what)
    {
        Q_ASSERT(IsLoading());
        if (m_nEnd - m_nPos >= qint64(sizeof(U))) {
            const U value = qFromLittleEndian<U>(m_buffer + m_nPos);
            m_nPos += sizeof(U);
            return value;
        }
        char bytes[sizeof(U)];
        ReadRaw(bytes, sizeof(U), what);
        return qFromLittleEndian<U>(bytes);
    }

    void ReadRaw(char* data, qint64 size, const char* what);
    bool Fill(const char* what);
    [[noreturn]] void ThrowEnd(const char* what) const;
    QString ReadUtf16(qint64 length);
    QString ReadAnsi(qint64 length);

    void WriteToDevice(const char* data, qint64 size);
    void FlushBuffer();

    struct SLoadSlot {
        const SArchiveClass* cls;
        bool isClass;
    };

    QIODevice& m_device;
    Mode m_eMode;
    char m_buffer[kBufferSize];
    qint64 m_nBufferStart = 0;  // stream offset of m_buffer[0]
    qint64 m_nPos = 0;          // next byte in the buffer
    qint64 m_nEnd = 0;          // loading: bytes held in the buffer
    bool m_bWriteFailed = false;
    QString m_strWriteError;

    // Index numbering of one stream: index 0 stands for no object; classes and objects take
    // the following indexes in the order they first appear.
    std::vector<SLoadSlot> m_loadMap;
    // The short texts of the previous entry, by their position in it (see ReadText).
    static constexpr int kRecentTexts = 8;
    QString m_recentTexts[kRecentTexts];
    unsigned m_nTextField = 0;
    std::vector<std::pair<std::string_view, quint32>> m_storeClasses;
    quint32 m_nStoreCount = 1;
};
