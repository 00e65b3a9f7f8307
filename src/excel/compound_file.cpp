#include "excel/compound_file.h"

#include "excel/little_endian.h"

#include <vector>

namespace tivora::excel {
namespace {

constexpr quint32 kEndOfChain = 0xFFFFFFFE;
constexpr qsizetype kHeaderSize = 512;
constexpr qsizetype kDirectoryEntrySize = 128;
constexpr int kHeaderFatSlots = 109;
constexpr int kStreamEntry = 2;
constexpr int kRootEntry = 5;

// A sector number past the bytes ends its chain.
quint32 dword(QByteArrayView bytes, qsizetype at) {
    return dwordAt(bytes, at, kEndOfChain);
}

class CompoundFile {
public:
    explicit CompoundFile(QByteArrayView file)
        : m_file(file) {}

    bool readHeader() {
        if (m_file.size() < kHeaderSize || !m_file.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
            return false;
        const int sectorShift = wordAt(m_file, 0x1E);
        const int miniShift = wordAt(m_file, 0x20);
        if (sectorShift < 7 || sectorShift > 16 || miniShift < 2 || miniShift >= sectorShift)
            return false;
        m_sectorSize = qsizetype(1) << sectorShift;
        m_miniSectorSize = qsizetype(1) << miniShift;
        m_miniCutoff = dword(m_file, 0x38);
        std::vector<quint32> fatSectors;
        fatSectors.reserve(kHeaderFatSlots);
        for (int slot = 0; slot < kHeaderFatSlots; ++slot)
            fatSectors.push_back(dword(m_file, 0x4C + slot * 4));
        // Further FAT sector numbers lie in a chain of DIFAT sectors, the last slot of each
        // naming the next.
        quint32 difat = dword(m_file, 0x44);
        for (qsizetype steps = 0; difat < kEndOfChain && steps < sectorCount(); ++steps) {
            const qsizetype at = sectorOffset(difat);
            const qsizetype slots = m_sectorSize / 4 - 1;
            for (qsizetype slot = 0; slot < slots; ++slot)
                fatSectors.push_back(dword(m_file, at + slot * 4));
            difat = dword(m_file, at + slots * 4);
        }
        for (const quint32 sector : fatSectors) {
            if (sector >= kEndOfChain - 1 || sectorOffset(sector) + m_sectorSize > m_file.size())
                continue;
            for (qsizetype slot = 0; slot < m_sectorSize / 4; ++slot)
                m_fat.push_back(dword(m_file, sectorOffset(sector) + slot * 4));
            if (qsizetype(m_fat.size()) > sectorCount() + m_sectorSize)
                break;
        }
        m_firstDirectory = dword(m_file, 0x30);
        m_firstMiniFat = dword(m_file, 0x3C);
        return !m_fat.empty();
    }

    std::optional<QByteArray> stream(QStringView name) const {
        const QByteArray directory = chain(m_firstDirectory, m_fat, -1);
        QByteArray miniStream;
        std::optional<std::pair<quint32, qint64>> target;
        for (qsizetype at = 0; at + kDirectoryEntrySize <= directory.size();
             at += kDirectoryEntrySize) {
            const QByteArrayView entry(directory.constData() + at, kDirectoryEntrySize);
            const int type = static_cast<unsigned char>(entry[0x42]);
            const quint32 start = dword(entry, 0x74);
            const qint64 size = dword(entry, 0x78);
            if (type == kRootEntry)
                miniStream = chain(start, m_fat, size);
            else if (type == kStreamEntry && !target &&
                     entryName(entry).compare(name, Qt::CaseInsensitive) == 0)
                target = std::pair(start, size);
        }
        if (!target)
            return std::nullopt;
        if (target->second >= m_miniCutoff)
            return chain(target->first, m_fat, target->second);
        // Small streams live in the mini stream, which the root entry holds.
        const std::vector<quint32> miniFat = toWords(chain(m_firstMiniFat, m_fat, -1));
        return miniChain(target->first, miniFat, miniStream, target->second);
    }

private:
    qsizetype sectorCount() const { return (m_file.size() - kHeaderSize) / m_sectorSize + 1; }
    qsizetype sectorOffset(quint32 sector) const {
        return kHeaderSize + qsizetype(sector) * m_sectorSize;
    }

    static QString entryName(QByteArrayView entry) {
        const int bytes = std::min<int>(wordAt(entry, 0x40), 64);
        QString name;
        for (int at = 0; at + 2 <= bytes; at += 2) {
            const char16_t unit = wordAt(entry, at);
            if (unit == 0)
                break;
            name.append(QChar(unit));
        }
        return name;
    }

    static std::vector<quint32> toWords(const QByteArray& bytes) {
        std::vector<quint32> words;
        for (qsizetype at = 0; at + 4 <= bytes.size(); at += 4)
            words.push_back(dword(bytes, at));
        return words;
    }

    // The sectors of a chain joined, cut to size when it is known (not negative); a chain that
    // leaves the table or comes round again ends there.
    QByteArray chain(quint32 start, const std::vector<quint32>& fat, qint64 size) const {
        QByteArray bytes;
        quint32 sector = start;
        for (std::size_t steps = 0; sector < fat.size() && steps <= fat.size(); ++steps) {
            const qsizetype at = sectorOffset(sector);
            if (at + m_sectorSize > m_file.size() || (size >= 0 && bytes.size() >= size))
                break;
            bytes.append(m_file.sliced(at, m_sectorSize));
            sector = fat[sector];
        }
        if (size >= 0)
            bytes.truncate(qsizetype(std::min<qint64>(size, bytes.size())));
        return bytes;
    }

    QByteArray miniChain(quint32 start, const std::vector<quint32>& miniFat,
                         const QByteArray& miniStream, qint64 size) const {
        QByteArray bytes;
        quint32 sector = start;
        for (std::size_t steps = 0; sector < miniFat.size() && steps <= miniFat.size(); ++steps) {
            const qsizetype at = qsizetype(sector) * m_miniSectorSize;
            if (at + m_miniSectorSize > miniStream.size() || bytes.size() >= size)
                break;
            bytes.append(miniStream.sliced(at, m_miniSectorSize));
            sector = miniFat[sector];
        }
        bytes.truncate(qsizetype(std::min<qint64>(size, bytes.size())));
        return bytes;
    }

    QByteArrayView m_file;
    qsizetype m_sectorSize = 512;
    qsizetype m_miniSectorSize = 64;
    qint64 m_miniCutoff = 4096;
    std::vector<quint32> m_fat;
    quint32 m_firstDirectory = kEndOfChain;
    quint32 m_firstMiniFat = kEndOfChain;
};

} // namespace

std::optional<QByteArray> compoundFileStream(QByteArrayView file, QStringView name) {
    CompoundFile compound(file);
    if (!compound.readHeader())
        return std::nullopt;
    return compound.stream(name);
}

} // namespace tivora::excel
