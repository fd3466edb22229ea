#pragma once

#include "search/ResultColumns.h"
#include "search/SearchView.h"
#include "search/TwinGroups.h"

#include <QByteArray>
#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class TDataGrid;
class TGxFolderEdit;
class TImage;
class TImageList;
class TMemo;
class TPageControl;
class TProgressBar;
class TResultsGroups;
struct TSearchInputs;

// Shows a save dialog and returns the chosen file's path, or an empty text when the user cancels.
// The real one is Qt's; tests put their own in its place.
using TSaveDialog =
    std::function<QString(QWidget* parent, const QString& caption, const QString& startName)>;
QString SaveFileDialog(QWidget* parent, const QString& caption, const QString& startName);

// The main window: four pages without tabs that lead from the search options through the results
// and the choice of how to remove the copies to the report, plus hidden controls that hold the
// search's working data. Controls and handlers carry the names the rest of the program uses.
class TForm1 : public QWidget
{
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    TPageControl* PageControl1;

    // Page 0: the options of the search.
    QWidget* TabSheet1;
    QGroupBox* GroupBox3;
    TGxFolderEdit* Edit1;
    QCheckBox* CheckBox1;
    QComboBox* ComboBox1;
    // Further folders, searched after Edit1 in list order; column 1 checks a reference folder.
    QLabel* Label6;
    QTreeWidget* ListView1;
    QPushButton* BitBtn10;
    QPushButton* BitBtn11;
    // Folders not entered, as patterns; Label8 shows what is wrong with them.
    QLabel* Label7;
    QLineEdit* Edit2;
    QLabel* Label8;
    QFrame* Panel1;
    QPushButton* BitBtn1;
    QPushButton* BitBtn3;
    TImage* Image1;
    TImage* Image2;
    QPushButton* Button1;

    // Page 1: the results.
    QWidget* TabSheet2;
    QGroupBox* GroupBox2;
    TDataGrid* DataGrid1;
    QFrame* Panel2;
    TProgressBar* ProgressBar1;
    QLabel* Label1;
    QLabel* Label3;
    QLabel* Label4;
    // The further folders the last search could not search; hidden when there are none.
    QLabel* Label5;
    QPushButton* BitBtn5;
    QPushButton* BitBtn4;
    QPushButton* BitBtn2;
    QPushButton* BitBtn_1;
    QPushButton* BitBtn_2;
    QPushButton* BitBtn_3;
    // The keep-one rules as a drop-down beside the mark buttons.
    QPushButton* KeepOneButton;
    // "N files in M groups, X can be freed", and below it the line about groups marked whole.
    QLabel* SummaryLabel;
    QLabel* WholeGroupsLabel;

    // Page 2: how to remove the marked files, and the hidden working tables.
    QWidget* TabSheet3;
    QGroupBox* GroupBox1;
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    QRadioButton* RadioButton3;
    QFrame* Panel3;
    QPushButton* BitBtn6;
    QPushButton* BitBtn7;
    TMemo* Memo1;
    TDataGrid* DataGrid2;
    TDataGrid* DataGrid3;
    TMemo* Memo2;
    QPushButton* Button2;

    // Page 3: the report.
    QWidget* TabSheet4;
    QGroupBox* GroupBox4;
    TMemo* Memo3;
    QFrame* Panel4;
    TProgressBar* ProgressBar2;
    QLabel* Label2;
    QPushButton* BitBtn8;
    QPushButton* BitBtn9;

    // Thumbnails of the results grid, 100 x 75.
    std::unique_ptr<TImageList> ImageList1;
    // The results grid's pop-up menu.
    QMenu* PopupMenu1;
    QAction* Opencontainfolder1;
    QAction* Execute1;
    QAction* Properties1;
    // The keep-one rules, in the pop-up menu below a separator and in KeepOneButton's menu.
    QAction* KeepOldest1;
    QAction* KeepNewest1;
    QAction* KeepShortest1;
    QAction* KeepInFolder1;
    QAction* MarkInFolder1;
    // Writes the results to a CSV file chosen in SaveDialog.
    QAction* SaveList1;
    TSaveDialog SaveDialog = SaveFileDialog;

    // 1: idle, which is also the stop request; 0: a search run is active.
    uint8_t StopFlag = 1;
    // Told as each phase of a search run begins.
    std::function<void(TSearchPhase Phase)> OnSearchPhase;

    void FormCreate(QObject* Sender);
    void FormResize(QObject* Sender);
    void BitBtn1Click(QObject* Sender);
    void BitBtn2Click(QObject* Sender);
    void BitBtn3Click(QObject* Sender);
    void BitBtn4Click(QObject* Sender);
    void BitBtn5Click(QObject* Sender);
    void BitBtn6Click(QObject* Sender);
    void BitBtn8Click(QObject* Sender);
    // Add a further folder through Edit1's folder dialog; remove the selected ones.
    void BitBtn10Click(QObject* Sender);
    void BitBtn11Click(QObject* Sender);
    void Edit2Change(QObject* Sender);
    void BitBtn_1Click(QObject* Sender);
    void BitBtn_2Click(QObject* Sender);
    void BitBtn_3Click(QObject* Sender);
    void Opencontainfolder1Click(QObject* Sender);
    void Execute1Click(QObject* Sender);
    void Properties1Click(QObject* Sender);
    void SaveList1Click(QObject* Sender);
    void DataGrid1CellClick(QObject* Sender, int ACol, int ARow);
    void DataGrid1CellDblClick(QObject* Sender, int ACol, int ARow);

    // Applies a keep-one rule to the results; the folder rules take the selected row's folder.
    void KeepRuleClick(TKeepRule rule);

    // The controls the search works with.
    TSearchView SearchView();
    // Adds a further folder at the end of the list, unless the list has it already; the folder
    // stays where it was then, and its reference check too.
    void AddFurtherFolder(const QString& folder, bool reference = false);

    // The results grid's groups, summary and rules.
    TResultsGroups& ResultsGroups() { return *m_groups; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateOptionsPage();
    void CreateResultsPage();
    void CreateDeletionPage();
    void CreateReportPage();
    void CreatePopupMenu();
    void CreateKeepRuleActions();
    void CreateFolderList();
    void CreateSkipFolders();
    void ConnectHandlers();
    TSearchInputs SearchInputs() const;
    // Sets every row's removal mark to what the rule makes of its present value; a reference
    // file's row stays unmarked.
    void SetAllMarks(bool (*mark)(bool present));
    void ConnectReferenceRows();
    void ShowFolderNotice(const QString& text);
    // Shows the skip patterns' error under Edit2; false when they have one.
    bool CheckSkipFolders();
    // The file of the results grid's selected row; the grid's row-index error when none is.
    QByteArray SelectedFile();

    // Where DataGrid1's columns stand.
    TResultColumns m_columns{};
    std::unique_ptr<TResultsGroups> m_groups;
    // Set when the window closes: a search run in progress then unwinds at once.
    bool m_closed = false;
    // Set while a deletion run is in progress.
    bool m_deleting = false;
    // A search run is on the stack; Start presses during it only stop it or ask for another.
    bool m_searching = false;
    // Start was pressed an even number of times during the run: a new one follows it.
    bool m_searchAgain = false;
    // The reference folders of the search that made the results, for the deletion's check.
    std::vector<QByteArray> m_referenceFolders;
    // The folder notices of the run in progress.
    QStringList m_folderNotices;
    // Where the last search looked: copies moved aside keep their place below the first folder
    // that holds them.
    std::vector<QByteArray> m_searchedFolders;
    bool m_searchedRecurse = false;
};

// The main window, set before its FormCreate runs.
extern TForm1* Form1;
