#pragma once
// A sequence kept in chunks of a few hundred elements, so that inserting in the middle of tens of
// thousands moves only one chunk: lookup by index and insertion both cost about the square root
// of the length instead of the length.
#include <QtGlobal>
#include <algorithm>
#include <utility>
#include <vector>

template <typename T>
class TChunkedList {
public:
    static constexpr std::size_t ChunkSize = 256; // a chunk is split when it grows past twice this

    qsizetype size() const { return FSize; }
    const T &at(qsizetype index) const
    {
        const auto [chunk, offset] = Locate(index);
        return FChunks[chunk][offset];
    }

    // The first index whose element is not `before`; the elements must be partitioned by it (all
    // elements that are `before` first), as a sorted list is by "less than the new element".
    template <typename Predicate>
    qsizetype PartitionPoint(Predicate before) const
    {
        const auto chunk = std::partition_point(FChunks.begin(), FChunks.end(),
                                                [&](const std::vector<T> &c) { return before(c.back()); });
        if (chunk == FChunks.end())
            return FSize;
        const auto c = static_cast<std::size_t>(chunk - FChunks.begin());
        return FStarts[c] + (std::partition_point(chunk->begin(), chunk->end(), before) - chunk->begin());
    }

    void insert(qsizetype index, T value)
    {
        if (FChunks.empty()) {
            FChunks.emplace_back();
            FStarts.push_back(0);
        }
        const std::size_t c = index == FSize ? FChunks.size() - 1 : Locate(index).first;
        std::vector<T> &chunk = FChunks[c];
        chunk.insert(chunk.begin() + (index - FStarts[c]), std::move(value));
        for (std::size_t k = c + 1; k < FStarts.size(); ++k)
            ++FStarts[k];
        ++FSize;
        if (chunk.size() > 2 * ChunkSize) {
            std::vector<T> tail(std::make_move_iterator(chunk.begin() + ChunkSize), std::make_move_iterator(chunk.end()));
            chunk.resize(ChunkSize);
            FChunks.insert(FChunks.begin() + static_cast<std::ptrdiff_t>(c) + 1, std::move(tail));
            FStarts.insert(FStarts.begin() + static_cast<std::ptrdiff_t>(c) + 1, FStarts[c] + ChunkSize);
        }
    }

    // Every element in order, leaving the list empty.
    std::vector<T> TakeAll()
    {
        std::vector<T> all;
        all.reserve(static_cast<std::size_t>(FSize));
        for (std::vector<T> &chunk : FChunks)
            std::move(chunk.begin(), chunk.end(), std::back_inserter(all));
        clear();
        return all;
    }
    void Assign(std::vector<T> all)
    {
        clear();
        for (std::size_t from = 0; from < all.size(); from += ChunkSize) {
            const std::size_t to = std::min(all.size(), from + ChunkSize);
            FStarts.push_back(static_cast<qsizetype>(from));
            FChunks.emplace_back(std::make_move_iterator(all.begin() + static_cast<std::ptrdiff_t>(from)),
                                 std::make_move_iterator(all.begin() + static_cast<std::ptrdiff_t>(to)));
        }
        FSize = static_cast<qsizetype>(all.size());
    }
    void clear()
    {
        FChunks.clear();
        FStarts.clear();
        FSize = 0;
    }

private:
    // The chunk holding index and the offset in it.
    std::pair<std::size_t, qsizetype> Locate(qsizetype index) const
    {
        const auto c = static_cast<std::size_t>(std::upper_bound(FStarts.begin(), FStarts.end(), index) - FStarts.begin()) - 1;
        return {c, index - FStarts[c]};
    }

    std::vector<std::vector<T>> FChunks; // never an empty chunk once something was inserted
    std::vector<qsizetype> FStarts;      // the index of each chunk's first element
    qsizetype FSize = 0;
};
