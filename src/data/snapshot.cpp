#include "snapshot.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace data {

namespace {

// The first block suits a small table; each next one doubles, up to a size that keeps the unused
// tail of the last block small beside a large table.
constexpr size_t kFirstBlock = 4096;
constexpr size_t kLargestBlock = size_t(1) << 20;

} // namespace

void Snapshot::reset(int fields, size_t rowsHint)
{
    fields_ = fields;
    rowids_.clear();
    cells_.clear();
    rowids_.reserve(rowsHint);
    cells_.reserve(rowsHint * size_t(fields));
    blocks_.clear();
}

int Snapshot::addRow(qint64 rowid)
{
    rowids_.push_back(rowid);
    cells_.resize(cells_.size() + size_t(fields_));
    return int(rowids_.size()) - 1;
}

char* Snapshot::reserveText(size_t size, quint64* offset)
{
    if (blocks_.empty() || blocks_.back().used + size > blocks_.back().size) {
        const size_t next =
            blocks_.empty() ? kFirstBlock : std::min(blocks_.back().size * 2, kLargestBlock);
        const size_t blockSize = std::max(next, size);
        // Left uninitialised: only the bytes written are ever touched.
        blocks_.push_back({std::unique_ptr<char[]>(new char[blockSize]), blockSize, 0});
    }
    Block& block = blocks_.back();
    *offset = (quint64(blocks_.size() - 1) << 32) | quint64(block.used);
    char* at = block.data.get() + block.used;
    block.used += size;
    return at;
}

const char* Snapshot::textData(const Cell& cell) const
{
    return blocks_[size_t(cell.offset >> 32)].data.get() + (cell.offset & 0xffffffffu);
}

Cell Snapshot::text(const char* utf8, qsizetype size)
{
    Cell cell;
    cell.kind = Cell::Kind::Text;
    cell.size = quint32(size);
    if (size > 0)
        std::memcpy(reserveText(size_t(size), &cell.offset), utf8, size_t(size));
    return cell;
}

void Snapshot::assignText(Cell& cell, const char* utf8, qsizetype size)
{
    if (cell.kind == Cell::Kind::Text && qsizetype(cell.size) >= size) {
        if (size > 0)
            std::memcpy(const_cast<char*>(textData(cell)), utf8, size_t(size));
        cell.size = quint32(size);
        return;
    }
    cell = text(utf8, size);
}

void Snapshot::rollback(Mark mark)
{
    if (mark.blocks > blocks_.size())
        return;
    blocks_.resize(mark.blocks);
    if (!blocks_.empty())
        blocks_.back().used = std::min(blocks_.back().used, mark.used);
}

size_t Snapshot::textBytes() const
{
    size_t bytes = 0;
    for (const Block& block : blocks_)
        bytes += block.used;
    return bytes;
}

Cell Snapshot::fromVariant(const QVariant& value)
{
    Cell cell;
    if (!value.isValid() || value.isNull())
        return cell;
    switch (value.typeId()) {
    case QMetaType::QString:
    case QMetaType::QByteArray: {
        const QByteArray utf8 = value.toString().toUtf8();
        return text(utf8.constData(), utf8.size());
    }
    case QMetaType::Double:
    case QMetaType::Float:
        cell.kind = Cell::Kind::Real;
        cell.real = value.toDouble();
        return cell;
    default:
        break;
    }
    bool ok = false;
    const qint64 n = value.toLongLong(&ok);
    if (!ok) {
        const QByteArray utf8 = value.toString().toUtf8();
        return text(utf8.constData(), utf8.size());
    }
    cell.kind = Cell::Kind::Integer;
    cell.integer = n;
    return cell;
}

QString Snapshot::toString(const Cell& cell) const
{
    switch (cell.kind) {
    case Cell::Kind::Null:
        return {};
    case Cell::Kind::Integer:
        return QString::number(cell.integer);
    case Cell::Kind::Real:
        return QString::number(cell.real);
    case Cell::Kind::Text:
        return QString::fromUtf8(cell.size ? textData(cell) : "", qsizetype(cell.size));
    }
    return {};
}

QVariant Snapshot::toVariant(const Cell& cell) const
{
    switch (cell.kind) {
    case Cell::Kind::Null:
        return {};
    case Cell::Kind::Integer:
        return QVariant(cell.integer);
    case Cell::Kind::Real:
        return QVariant(cell.real);
    case Cell::Kind::Text:
        return QVariant(toString(cell));
    }
    return {};
}

bool Snapshot::toInteger(const Cell& cell, qint64* out) const
{
    switch (cell.kind) {
    case Cell::Kind::Integer:
        *out = cell.integer;
        return true;
    case Cell::Kind::Text: {
        bool ok = false;
        *out = QByteArray::fromRawData(cell.size ? textData(cell) : "", qsizetype(cell.size))
                   .toLongLong(&ok);
        return ok;
    }
    case Cell::Kind::Real:
        if (std::isfinite(cell.real) && cell.real == std::trunc(cell.real)) {
            *out = qint64(cell.real);
            return true;
        }
        return false;
    case Cell::Kind::Null:
        return false;
    }
    return false;
}

int Snapshot::compare(const Cell& a, const Cell& b) const
{
    if (a.kind == Cell::Kind::Integer && b.kind == Cell::Kind::Integer)
        return a.integer < b.integer ? -1 : (a.integer > b.integer ? 1 : 0);
    if (a.isNull() || b.isNull())
        return int(b.isNull()) - int(a.isNull());
    qint64 x = 0;
    qint64 y = 0;
    if (toInteger(a, &x) && toInteger(b, &y))
        return x < y ? -1 : (x > y ? 1 : 0);
    if (a.kind == Cell::Kind::Real || b.kind == Cell::Kind::Real) {
        const double p = toVariant(a).toDouble();
        const double q = toVariant(b).toDouble();
        return p < q ? -1 : (p > q ? 1 : 0);
    }
    return toString(a).compare(toString(b));
}

bool Snapshot::same(const Cell& a, const Cell& b) const
{
    if (a.kind != b.kind)
        return false;
    switch (a.kind) {
    case Cell::Kind::Null:
        return true;
    case Cell::Kind::Integer:
        return a.integer == b.integer;
    case Cell::Kind::Real:
        return a.real == b.real;
    case Cell::Kind::Text:
        return sameText(a, b.size ? textData(b) : "", b.size);
    }
    return false;
}

bool Snapshot::sameText(const Cell& cell, const char* utf8, qsizetype size) const
{
    return cell.kind == Cell::Kind::Text && qsizetype(cell.size) == size &&
           (size == 0 || std::memcmp(textData(cell), utf8, size_t(size)) == 0);
}

} // namespace data
