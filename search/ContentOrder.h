#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <vector>

// A file of the candidate list: its path and its size as text.
struct TCandidateFile
{
    QByteArray path;
    QString sizeText;
};

// Only neighbours in the candidate list are compared, so of three files of one size A, B, A' the
// twins A and A' would never meet. Given the candidates in their sorted order, this returns the
// order (as indices into candidates) in which every run of three or more equal size texts has
// its identical files next to each other.
//
// Within such a run each file joins the first file with the same content, everything else keeps
// its place, so a run without twins, and every run of one or two files, stays as it was; the
// result depends only on the input order. Files are told apart by a digest of their first block,
// and only files whose first blocks meet another's are read whole; a file that cannot be read
// stays where it is. Files outside such runs are never opened. onFileRead, when given, is called
// after each file read, so the caller can let the window breathe.
std::vector<int> ContentOrder(const std::vector<TCandidateFile>& candidates,
                              const std::function<void()>& onFileRead = {});
