#pragma once

#include "grid/GxGrid.h"
#include "platform/Image.h"
#include "platform/ImageList.h"
#include "platform/Memo.h"
#include "platform/ProgressBar.h"
#include "search/ResultColumns.h"
#include "search/SearchTables.h"
#include "search/SearchView.h"

#include <QByteArray>
#include <QLabel>
#include <QStringList>
#include <cstdint>

// A results grid with the window's columns.
inline void SetupTestResultsGrid(TDataGrid& grid, TImageList& images)
{
    grid.setObjectName(QStringLiteral("DataGrid1"));
    AddResultColumns(grid, images);
}

// The placeholder of a file that cannot be decoded: 100 x 80, as the window's picture.
inline QImage TestPlaceholder()
{
    QImage picture(100, 80, QImage::Format_RGB32);
    picture.fill(Qt::magenta);
    return picture;
}

// The controls a search works with, standing alone as a test's window.
struct SearchControls
{
    QLabel Label1;
    QLabel Label3;
    QLabel Label4;
    TProgressBar ProgressBar1;
    TMemo Memo1;
    TMemo Memo2;
    TMemo Memo3;
    TImageList ImageList1{100, 75};
    TDataGrid DataGrid1;
    TDataGrid DataGrid2;
    TDataGrid DataGrid3;
    TImage Image1;
    uint8_t StopFlag = 1;
    bool Abandoned = false;
    std::function<void(TSearchPhase)> PhaseStarted;
    std::function<void(const QString&)> FolderNotice;

    SearchControls()
    {
        SetupTestResultsGrid(DataGrid1, ImageList1);
        SetupCandidateTable(DataGrid2);
        SetupPairTable(DataGrid3);
        Image1.SetPicture(TestPlaceholder());
    }

    TSearchView View()
    {
        return {Label1,   Label3,     Label4,       ProgressBar1, Memo1,     Memo2,
                Memo3,    ImageList1, DataGrid1,    DataGrid2,    DataGrid3, Image1,
                StopFlag, Abandoned,  PhaseStarted, FolderNotice};
    }

    QList<QByteArray> Found() const
    {
        QList<QByteArray> found;
        for (int i = 0; i < Memo1.Lines().Count(); ++i)
            found << Memo1.Lines().Line(i);
        return found;
    }
};
