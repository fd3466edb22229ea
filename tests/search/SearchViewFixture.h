#pragma once

#include "app/ButtonGlyphs.h"
#include "app/FormGrids.h"
#include "grid/GxGrid.h"
#include "platform/Image.h"
#include "platform/ImageList.h"
#include "platform/Memo.h"
#include "platform/ProgressBar.h"
#include "search/SearchView.h"

#include <QByteArray>
#include <QLabel>
#include <QStringList>
#include <cstdint>

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

    SearchControls()
    {
        SetupResultsGrid(DataGrid1, ImageList1);
        SetupCandidateGrid(DataGrid2);
        SetupPairGrid(DataGrid3);
        Image1.SetPicture(CorruptFilePicture());
    }

    TSearchView View()
    {
        return {Label1,     Label3,    Label4,    ProgressBar1, Memo1,  Memo2,    Memo3,
                ImageList1, DataGrid1, DataGrid2, DataGrid3,    Image1, StopFlag, Abandoned};
    }

    QList<QByteArray> Found() const
    {
        QList<QByteArray> found;
        for (int i = 0; i < Memo1.Lines().Count(); ++i)
            found << Memo1.Lines().Line(i);
        return found;
    }
};
