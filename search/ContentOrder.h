#pragma once

#include "search/CandidateFile.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// Where the ordering lets its caller handle messages: after each file read, and after every
// TContentComparer::ProgressInterval bytes read inside long files.
enum class TReadPoint { FileEnd, InsideFile };

// How far the reading is at a read point, so the caller can show it: the files read of those the
// pass reads (first blocks, then whole files: two passes, each counted from zero), and the last
// file the count reached.
struct TReadCount
{
    size_t read = 0;
    size_t toRead = 0;
    const TCandidateFile* lastFile = nullptr;
};

using TReadProgress = std::function<void(TReadPoint, const TReadCount&)>;

// What the ordering learnt of one candidate's bytes: the digest of its first block and, for a
// file read to its end, the digest of all of it; empty where it did not read them.
struct TContentDigest
{
    std::optional<uint64_t> FirstBlock;
    std::optional<uint64_t> Whole;

    // Whether the digests prove two files of one size different: a pair the comparison need
    // not open. Equal digests prove nothing.
    bool Differs(const TContentDigest& other) const;
};

// The order ContentOrder finds and what it learnt on the way.
struct TContentOrder
{
    // Indices into the candidates, in the new order.
    std::vector<int> Order;
    // One per candidate, in the candidates' own order.
    std::vector<TContentDigest> Digests;
};

// Only neighbours in the candidate list are compared, so of three files of one size A, B, A' the
// twins A and A' would never meet. Given the candidates in their sorted order, this returns the
// order (as indices into candidates) in which every run of three or more equal size texts has
// its identical files next to each other.
//
// Within such a run each file joins the first file with the same content, everything else keeps
// its place, so a run without twins, and every run of one or two files, stays as it was; the
// result depends only on the input order. Files are told apart by a digest of their first block,
// and only files whose first blocks meet another's are read whole, never beyond their measured
// size; a file that cannot be read or is no longer as measured joins no one and stays apart
// from the twins. Files outside such runs are never opened. onRead,
// when given, is called at the read points above, so the caller can let the window breathe; it
// may raise to end the ordering.
TContentOrder ContentOrder(const std::vector<TCandidateFile>& candidates,
                           const TReadProgress& onRead = {});
