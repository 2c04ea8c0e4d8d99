#include "base/archive.h"

#include <QFileDevice>
#include <QSysInfo>

#include <algorithm>

namespace {

constexpr quint16 kNullTag = 0x0000;
constexpr quint16 kNewClassTag = 0xFFFF;
constexpr quint16 kClassTag = 0x8000;
constexpr quint16 kBigObjectTag = 0x7FFF;
constexpr quint32 kBigClassTag = 0x80000000;
constexpr quint64 kMaxTextLength = 0x7FFFFFFF;

// Long texts are read in steps of at least this many code units, each step at most doubling
// what has arrived so far.
constexpr qint64 kTextStep = 32768;

// Windows-1252, the usual ANSI code page of the program's Windows installations. Bytes below
// 0x80 and from 0xA0 are the same code points; the five bytes the code page leaves undefined
// map to the C1 controls of the same value, as Windows itself converts them.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char16_t FromCp1252(uchar c)
{
    return (c >= 0x80 && c < 0xA0) ? kCp1252High[c - 0x80] : char16_t(c);
}

// A class name as read, for messages: printable ASCII as is, other bytes as \xNN.
QString PrintableName(const char* name, int length)
{
    QString out;
    for (int i = 0; i < length; ++i) {
        const uchar c = uchar(name[i]);
        if (c >= 0x20 && c < 0x7F && c != '\\')
            out += QChar(c);
        else
            out += QStringLiteral("\\x%1").arg(c, 2, 16, QLatin1Char('0'));
    }
    return out;
}

QString NameOf(const SArchiveClass& cls)
{
    return QString::fromLatin1(cls.name.data(), qsizetype(cls.name.size()));
}

constexpr bool kLittleEndianHost = QSysInfo::ByteOrder == QSysInfo::LittleEndian;

}  // namespace

CArchiveException::CArchiveException(qint64 offset, QString reason)
    : m_nOffset(offset), m_strReason(std::move(reason)), m_what(Text().toUtf8())
{
}

QString CArchiveException::Text() const
{
    return QStringLiteral("archive error at byte %1: %2").arg(m_nOffset).arg(m_strReason);
}

CArchive::CArchive(QIODevice& device, Mode mode) : m_device(device), m_eMode(mode)
{
    Q_ASSERT(mode == Load ? device.isReadable() : device.isWritable());
    if (mode == Load)
        m_loadMap.push_back({nullptr, false});  // index 0: no object
}

CArchive::~CArchive()
{
    if (IsStoring())
        Flush();
}

// --- storing ---

void CArchive::WriteBytes(const char* data, qint64 size)
{
    Q_ASSERT(IsStoring());
    if (kBufferSize - m_nPos >= size) {
        std::memcpy(m_buffer + m_nPos, data, size_t(size));
        m_nPos += size;
        return;
    }
    FlushBuffer();
    if (size >= kBufferSize) {
        WriteToDevice(data, size);
        m_nBufferStart += size;
        return;
    }
    std::memcpy(m_buffer, data, size_t(size));
    m_nPos = size;
}

void CArchive::WriteText(const QString& text)
{
    Q_ASSERT(IsStoring());
    const quint64 length = quint64(text.size());
    // The usual case, a short text that fits the buffer, goes in with one copy.
    if (length < 255 && kBufferSize - m_nPos >= 4 + 2 * qint64(length)) {
        char* out = m_buffer + m_nPos;
        out[0] = char(0xFF);
        out[1] = char(0xFE);
        out[2] = char(0xFF);
        out[3] = char(length);
        qToLittleEndian<quint16>(text.utf16(), qsizetype(length), out + 4);
        m_nPos += 4 + 2 * qint64(length);
        return;
    }
    WriteUInt8(0xFF);
    WriteUInt16(0xFFFE);
    if (length < 255) {
        WriteUInt8(quint8(length));
    } else if (length < 0xFFFE) {
        WriteUInt8(0xFF);
        WriteUInt16(quint16(length));
    } else if (length < 0xFFFFFFFF) {
        WriteUInt8(0xFF);
        WriteUInt16(0xFFFF);
        WriteUInt32(quint32(length));
    } else {
        WriteUInt8(0xFF);
        WriteUInt16(0xFFFF);
        WriteUInt32(0xFFFFFFFF);
        WriteUInt64(length);
    }
    if constexpr (kLittleEndianHost) {
        WriteBytes(reinterpret_cast<const char*>(text.utf16()), 2 * qint64(length));
    } else {
        char chunk[kBufferSize];
        const qint64 perChunk = kBufferSize / 2;
        for (qint64 done = 0; done < qint64(length); done += perChunk) {
            const qint64 n = std::min(perChunk, qint64(length) - done);
            qToLittleEndian<quint16>(text.utf16() + done, qsizetype(n), chunk);
            WriteBytes(chunk, 2 * n);
        }
    }
}

void CArchive::WriteCount(quint32 count)
{
    if (count < 0xFFFF) {
        WriteUInt16(quint16(count));
    } else {
        WriteUInt16(0xFFFF);
        WriteUInt32(count);
    }
}

bool CArchive::Flush()
{
    Q_ASSERT(IsStoring());
    FlushBuffer();
    if (auto* file = qobject_cast<QFileDevice*>(&m_device); file && !m_bWriteFailed) {
        if (!file->flush()) {
            m_bWriteFailed = true;
            m_strWriteError = file->errorString();
        }
    }
    return !m_bWriteFailed;
}

void CArchive::FlushBuffer()
{
    if (m_nPos == 0)
        return;
    WriteToDevice(m_buffer, m_nPos);
    m_nBufferStart += m_nPos;
    m_nPos = 0;
}

void CArchive::WriteToDevice(const char* data, qint64 size)
{
    // After a failure nothing more is written: the stream would have a hole in it.
    if (m_bWriteFailed)
        return;
    const qint64 written = m_device.write(data, size);
    if (written != size) {
        m_bWriteFailed = true;
        m_strWriteError = m_device.errorString();
    }
}

void CArchive::WriteNewObjectTag(const SArchiveClass& cls)
{
    const auto known = std::find_if(m_storeClasses.begin(), m_storeClasses.end(),
                                    [&](const auto& entry) { return entry.first == cls.name; });
    if (known != m_storeClasses.end()) {
        const quint32 index = known->second;
        if (index < kBigObjectTag) {
            WriteUInt16(quint16(kClassTag | index));
        } else {
            WriteUInt16(kBigObjectTag);
            WriteUInt32(kBigClassTag | index);
        }
    } else {
        WriteUInt16(kNewClassTag);
        WriteUInt16(cls.schema);
        WriteUInt16(quint16(cls.name.size()));
        WriteBytes(cls.name.data(), qint64(cls.name.size()));
        m_storeClasses.emplace_back(cls.name, m_nStoreCount++);
    }
    ++m_nStoreCount;  // the object's own index
}

// --- loading ---

void CArchive::ThrowEnd(const char* what) const
{
    throw CArchiveException(Offset(), QStringLiteral("the stream ends inside %1").arg(QLatin1String(what)));
}

bool CArchive::Fill(const char* what)
{
    m_nBufferStart += m_nEnd;
    m_nPos = 0;
    m_nEnd = 0;
    const qint64 got = m_device.read(m_buffer, kBufferSize);
    if (got < 0)
        throw CArchiveException(Offset(), QStringLiteral("read error inside %1: %2")
                                              .arg(QLatin1String(what), m_device.errorString()));
    m_nEnd = got;
    return got > 0;
}

void CArchive::ReadRaw(char* data, qint64 size, const char* what)
{
    Q_ASSERT(IsLoading());
    qint64 available = m_nEnd - m_nPos;
    if (available >= size) {
        std::memcpy(data, m_buffer + m_nPos, size_t(size));
        m_nPos += size;
        return;
    }
    std::memcpy(data, m_buffer + m_nPos, size_t(available));
    m_nPos = m_nEnd;
    data += available;
    size -= available;
    while (size > 0) {
        if (size >= kBufferSize) {
            // Large blocks go straight from the device into place.
            m_nBufferStart += m_nEnd;
            m_nPos = m_nEnd = 0;
            const qint64 got = m_device.read(data, size);
            if (got < 0)
                throw CArchiveException(Offset(), QStringLiteral("read error inside %1: %2")
                                                      .arg(QLatin1String(what), m_device.errorString()));
            if (got == 0)
                ThrowEnd(what);
            m_nBufferStart += got;
            data += got;
            size -= got;
        } else {
            if (!Fill(what))
                ThrowEnd(what);
            const qint64 n = std::min(size, m_nEnd);
            std::memcpy(data, m_buffer, size_t(n));
            m_nPos = n;
            data += n;
            size -= n;
        }
    }
}

QString CArchive::ReadText()
{
    Q_ASSERT(IsLoading());
    // The usual case: a short UTF-16 text wholly in the buffer.
    if (m_nEnd - m_nPos >= 4) {
        const auto* in = reinterpret_cast<const uchar*>(m_buffer + m_nPos);
        if (in[0] == 0xFF && in[1] == 0xFE && in[2] == 0xFF && in[3] < 0xFF
            && m_nEnd - m_nPos >= 4 + 2 * qint64(in[3])) {
            const int length = in[3];
            m_nPos += 4 + 2 * length;
            // Records of one test repeat their list name and date text: share the previous
            // record's string when this field holds the same units.
            QString& previous = m_recentTexts[m_nTextField++ % kRecentTexts];
            if (previous.size() == length && (kLittleEndianHost || length == 0)
                && std::memcmp(previous.utf16(), in + 4, size_t(2 * length)) == 0)
                return previous;
            previous = QString(length, Qt::Uninitialized);
            if constexpr (kLittleEndianHost)
                std::memcpy(previous.data(), in + 4, size_t(2 * length));
            else
                qFromLittleEndian<quint16>(in + 4, length, previous.data());
            return previous;
        }
    }

    const qint64 start = Offset();
    bool utf16 = false;
    quint64 length = 0;
    quint8 b = ReadLE<quint8>(kWhatText);
    if (b < 0xFF) {
        length = b;
    } else {
        quint16 w = ReadLE<quint16>(kWhatText);
        bool haveLength = false;
        if (w == 0xFFFE) {
            utf16 = true;
            b = ReadLE<quint8>(kWhatText);
            if (b < 0xFF) {
                length = b;
                haveLength = true;
            } else {
                w = ReadLE<quint16>(kWhatText);
            }
        }
        if (!haveLength) {
            if (w < 0xFFFF) {
                length = w;
            } else {
                const quint32 d = ReadLE<quint32>(kWhatText);
                length = d < 0xFFFFFFFF ? d : ReadLE<quint64>(kWhatText);
            }
        }
    }
    if (length > kMaxTextLength)
        throw CArchiveException(start, QStringLiteral("text length %1 is above 0x7FFFFFFF").arg(length));
    return utf16 ? ReadUtf16(qint64(length)) : ReadAnsi(qint64(length));
}

QString CArchive::ReadUtf16(qint64 length)
{
    QString text;
    qint64 done = 0;
    while (done < length) {
        const qint64 step = std::min(length - done, std::max(kTextStep, done));
        text.resize(qsizetype(done + step));
        char16_t* units = reinterpret_cast<char16_t*>(text.data()) + done;
        ReadRaw(reinterpret_cast<char*>(units), 2 * step, kWhatText);
        if constexpr (!kLittleEndianHost)
            qFromLittleEndian<quint16>(units, qsizetype(step), units);
        done += step;
    }
    return text;
}

QString CArchive::ReadAnsi(qint64 length)
{
    QByteArray bytes;
    qint64 done = 0;
    while (done < length) {
        const qint64 step = std::min(length - done, std::max(2 * kTextStep, done));
        bytes.resize(qsizetype(done + step));
        ReadRaw(bytes.data() + done, step, kWhatText);
        done += step;
    }
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = FromCp1252(uchar(bytes[i]));
    return text;
}

quint32 CArchive::ReadCount()
{
    const quint16 count = ReadLE<quint16>(kWhatCount);
    if (count != 0xFFFF)
        return count;
    return ReadLE<quint32>(kWhatCount);
}

CArchive::SObjectTag CArchive::ReadObjectTag(const SArchiveClass& expected)
{
    const qint64 start = Offset();
    const quint16 wTag = ReadLE<quint16>(kWhatTag);
    m_nTextField = 0;
    quint32 tag;
    if (wTag == kBigObjectTag)
        tag = ReadLE<quint32>(kWhatTag);
    else
        tag = (quint32(wTag & kClassTag) << 16) | (wTag & ~kClassTag);

    if (!(tag & kBigClassTag)) {
        // A reference to an object read earlier, or no object at all.
        if (tag == kNullTag)
            return {SObjectTag::EKind::Null, 0};
        if (tag >= m_loadMap.size())
            throw CArchiveException(start, QStringLiteral("reference to object index %1, which was not read before").arg(tag));
        if (m_loadMap[tag].isClass)
            throw CArchiveException(start, QStringLiteral("reference to index %1 as an object, but it is a class").arg(tag));
        return {SObjectTag::EKind::Reference, tag};
    }

    const SArchiveClass* cls = nullptr;
    if (wTag == kNewClassTag) {
        const qint64 schemaOffset = Offset();
        const quint16 schema = ReadLE<quint16>(kWhatTag);
        const qint64 lengthOffset = Offset();
        const quint16 length = ReadLE<quint16>(kWhatTag);
        if (length >= ClassRegistry::kMaxNameLength)
            throw CArchiveException(lengthOffset, QStringLiteral("class name of %1 bytes is too long").arg(length));
        const qint64 nameOffset = Offset();
        char name[ClassRegistry::kMaxNameLength];
        ReadRaw(name, length, kWhatTag);
        cls = ClassRegistry::Find(std::string_view(name, length));
        if (cls == nullptr)
            throw CArchiveException(nameOffset, QStringLiteral("unknown class \"%1\"").arg(PrintableName(name, length)));
        if (cls->schema != schema)
            throw CArchiveException(schemaOffset, QStringLiteral("class \"%1\" stored with schema %2, expected %3")
                                                      .arg(NameOf(*cls)).arg(schema).arg(cls->schema));
        m_loadMap.push_back({cls, true});
    } else {
        const quint32 index = tag & ~kBigClassTag;
        if (index == 0 || index >= m_loadMap.size())
            throw CArchiveException(start, QStringLiteral("reference to class index %1, which was not read before").arg(index));
        if (!m_loadMap[index].isClass)
            throw CArchiveException(start, QStringLiteral("reference to index %1 as a class, but it is an object").arg(index));
        cls = m_loadMap[index].cls;
    }
    if (cls->name != expected.name)
        throw CArchiveException(start, QStringLiteral("unexpected class \"%1\" where \"%2\" belongs")
                                           .arg(NameOf(*cls), NameOf(expected)));
    m_loadMap.push_back({cls, false});
    return {SObjectTag::EKind::New, quint32(m_loadMap.size() - 1)};
}
