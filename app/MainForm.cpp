#include "app/MainForm.h"

#include "app/ButtonGlyphs.h"
#include "app/DeletionRun.h"
#include "app/FormGrids.h"
#include "app/ImageViewForm.h"
#include "app/ResultsGroups.h"
#include "edits/GxFolderEdit.h"
#include "grid/GxColumnClasses.h"
#include "grid/GxGrid.h"
#include "platform/Application.h"
#include "platform/Canvas.h"
#include "platform/DesktopShell.h"
#include "platform/FileNames.h"
#include "platform/Image.h"
#include "platform/ImageList.h"
#include "platform/Memo.h"
#include "platform/PageControl.h"
#include "platform/Picture.h"
#include "platform/ProgressBar.h"
#include "platform/WindowFrame.h"
#include "search/FolderExclusions.h"
#include "search/ReferenceRows.h"
#include "search/ResultsCsv.h"
#include "search/SearchRun.h"
#include "search/SearchTables.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

TForm1* Form1 = nullptr;

QString SaveFileDialog(QWidget* parent, const QString& caption, const QString& startName)
{
    return QFileDialog::getSaveFileName(parent, caption, startName,
                                        QStringLiteral("CSV files (*.csv)"));
}

namespace {

constexpr QSize InitialOuterSize(769, 530);
constexpr int PanelHeight = 93;
// What "All pictures" of ComboBox1 stands for: every picture type the program can show.
constexpr const char* kAllPictures = "*.jpg;*.jpeg;*.jpe;*.png;*.bmp;*.gif;*.webp;*.tif;*.tiff";
// The text of a reference file's row: set apart from the rows that may be removed.
constexpr TColor kReferenceTextColor = RGB(0x1f, 0x5f, 0x8f);

template <typename Control> Control* Named(Control* control, const char* name)
{
    control->setObjectName(QLatin1String(name));
    return control;
}

QFont FontOfSize(int pointSize)
{
    QFont font = QApplication::font();
    font.setPointSize(pointSize);
    return font;
}

// A page holding one group box that fills it; the box stacks what fills it above its button panel.
QGroupBox* AddPage(TPageControl& pages, const char* sheetName, const char* boxName,
                   const QString& caption, QWidget*& sheet)
{
    sheet = Named(new QWidget, sheetName);
    pages.AddPage(sheet, QLatin1String(sheetName));
    auto* box = Named(new QGroupBox(caption, sheet), boxName);
    auto* sheetLayout = new QVBoxLayout(sheet);
    sheetLayout->setContentsMargins(4, 4, 4, 4);
    sheetLayout->addWidget(box);
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->setContentsMargins(2, 0, 2, 2);
    boxLayout->setSpacing(0);
    return box;
}

QVBoxLayout* BoxLayout(QGroupBox* box)
{
    return static_cast<QVBoxLayout*>(box->layout());
}

// The panel at the bottom of a page's group box that carries the page's buttons; controls aligned
// to its top stack inside its bevel.
QFrame* AddButtonPanel(QGroupBox* box, const char* name)
{
    auto* panel = Named(new QFrame(box), name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setFixedHeight(PanelHeight);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    layout->addStretch();
    BoxLayout(box)->addWidget(panel);
    return panel;
}

// Places a control at the top of a panel, below those placed before it.
template <typename Control> Control* AlignTop(QFrame* panel, Control* control, int height)
{
    control->setFixedHeight(height);
    auto* layout = static_cast<QVBoxLayout*>(panel->layout());
    layout->insertWidget(layout->count() - 1, control);
    return control;
}

QLabel* StatusLabel(QFrame* panel, const char* name, int height)
{
    auto* label = Named(new QLabel(panel), name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Long paths must not widen the window.
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    return AlignTop(panel, label, height);
}

QPushButton* Button(QWidget* parent, const char* name, const QString& caption, QRect place,
                    const QImage& glyph = {})
{
    auto* button = Named(new QPushButton(caption, parent), name);
    button->setGeometry(place);
    if (!glyph.isNull()) {
        button->setIcon(QIcon(QPixmap::fromImage(glyph)));
        button->setIconSize(glyph.size());
    }
    return button;
}

// The buttons of a page's panel stand side by side at its bottom.
QRect PanelButtonPlace(int slot)
{
    return QRect(slot * 77, 66, 75, 26);
}

TMemo* Memo(QWidget* parent, const char* name, Qt::ScrollBarPolicy horizontal)
{
    auto* memo = Named(new TMemo(parent), name);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setHorizontalScrollBarPolicy(horizontal);
    return memo;
}

// The documented widths fit the classic UI font; a wider font must not cut the caption off.
template <typename Control> Control* FitCaption(Control* control, QRect place)
{
    place.setWidth(std::max(place.width(), control->sizeHint().width()));
    control->setGeometry(place);
    return control;
}

QRadioButton* RadioButton(QWidget* parent, const char* name, const QString& caption, QRect place)
{
    return FitCaption(Named(new QRadioButton(caption, parent), name), place);
}

template <typename Control> Control* Placed(Control* control, QRect place)
{
    control->setGeometry(place);
    return control;
}

// Working controls that the user never sees.
template <typename Control> Control* Hidden(Control* control)
{
    control->hide();
    return control;
}

} // namespace

TForm1::TForm1(QWidget* parent)
    : QWidget(parent), PageControl1(Named(new TPageControl(this), "PageControl1")),
      ImageList1(std::make_unique<TImageList>(100, 75))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Twinpics"));
    setFont(FontOfSize(8));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(PageControl1);
    CreateOptionsPage();
    CreateResultsPage();
    CreateDeletionPage();
    CreateReportPage();
    CreatePopupMenu();
    ConnectHandlers();
    move(239, 108);
    SetOuterSize(*this, InitialOuterSize);
    Form1 = this;
    FormCreate(this);
}

TForm1::~TForm1()
{
    if (Form1 == this)
        Form1 = nullptr;
}

void TForm1::CreateOptionsPage()
{
    GroupBox3 = AddPage(*PageControl1, "TabSheet1", "GroupBox3",
                        QStringLiteral("Options of the search :"), TabSheet1);
    BoxLayout(GroupBox3)->addStretch();
    Panel1 = AddButtonPanel(GroupBox3, "Panel1");
    BitBtn1 = Button(Panel1, "BitBtn1", QStringLiteral("Start"), PanelButtonPlace(0), StartGlyph());

    Edit1 = Named(new TGxFolderEdit(GroupBox3), "Edit1");
    Edit1->setText(QDir::homePath() + QLatin1Char('/'));
    Edit1->setFont(FontOfSize(10));
    Edit1->setGeometry(23, 32, 350, 24);
    CheckBox1 =
        Named(new QCheckBox(QStringLiteral("Search in subdirectories"), GroupBox3), "CheckBox1");
    CheckBox1->setGeometry(22, 63, 161, 17);
    ComboBox1 = Named(new QComboBox(GroupBox3), "ComboBox1");
    // Each item's data is the mask it stands for.
    for (const char* mask : {"*.jpg", "*.bmp", "*.png"})
        ComboBox1->addItem(QLatin1String(mask), QByteArray(mask));
    ComboBox1->addItem(QStringLiteral("All pictures"), QByteArray(kAllPictures));
    ComboBox1->setCurrentIndex(0);
    ComboBox1->setGeometry(22, 83, 145, 22);
    CreateFolderList();
    CreateSkipFolders();

    BitBtn3 = Hidden(Button(GroupBox3, "BitBtn3", QStringLiteral("Stop"), QRect(368, 184, 75, 25)));
    Image1 = Named(new TImage(GroupBox3), "Image1");
    Image1->SetAutoSize(true);
    Image1->SetPicture(CorruptFilePicture());
    Hidden(Image1)->move(584, 109);
    Image2 = Hidden(Placed(Named(new TImage(GroupBox3), "Image2"), QRect(688, 45, 64, 64)));
    Image2->SetStretch(true);
    Button1 =
        Hidden(Button(GroupBox3, "Button1", QStringLiteral("Button1"), QRect(272, 216, 75, 25)));
}

void TForm1::CreateFolderList()
{
    Label6 = Placed(Named(new QLabel(QStringLiteral("Further folders:"), GroupBox3), "Label6"),
                    QRect(22, 114, 350, 15));
    ListView1 = Placed(Named(new QTreeWidget(GroupBox3), "ListView1"), QRect(23, 131, 350, 110));
    ListView1->setColumnCount(2);
    ListView1->setHeaderLabels({QStringLiteral("Folder"), QStringLiteral("Reference")});
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListView1->header()->setStretchLastSection(false);
    ListView1->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    ListView1->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    BitBtn10 = Button(GroupBox3, "BitBtn10", QStringLiteral("Add..."), QRect(378, 131, 75, 25));
    BitBtn11 = Button(GroupBox3, "BitBtn11", QStringLiteral("Remove"), QRect(378, 160, 75, 25));
}

void TForm1::CreateSkipFolders()
{
    Label7 = Placed(Named(new QLabel(QStringLiteral("Skip folders:"), GroupBox3), "Label7"),
                    QRect(22, 250, 350, 15));
    Edit2 = Placed(Named(new QLineEdit(GroupBox3), "Edit2"), QRect(23, 266, 350, 22));
    Edit2->setPlaceholderText(QStringLiteral(".git;node_modules;/absolute/path"));
    Label8 = Hidden(Placed(Named(new QLabel(GroupBox3), "Label8"), QRect(23, 290, 430, 15)));
    Label8->setTextFormat(Qt::PlainText);
    QPalette palette = Label8->palette();
    palette.setColor(QPalette::WindowText, Qt::darkRed);
    Label8->setPalette(palette);
}

void TForm1::CreateResultsPage()
{
    GroupBox2 = AddPage(*PageControl1, "TabSheet2", "GroupBox2",
                        QStringLiteral("Found duplicates:"), TabSheet2);
    DataGrid1 = Named(new TDataGrid(GroupBox2), "DataGrid1");
    SetupResultsGrid(*DataGrid1, *ImageList1);
    m_columns = TResultColumns::Resolve(*DataGrid1);
    BoxLayout(GroupBox2)->addWidget(DataGrid1, 1);
    Label5 = Hidden(Named(new QLabel(GroupBox2), "Label5"));
    Label5->setTextFormat(Qt::PlainText);
    Label5->setWordWrap(true);
    Label5->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    BoxLayout(GroupBox2)->addWidget(Label5);
    Panel2 = AddButtonPanel(GroupBox2, "Panel2");
    ProgressBar1 = AlignTop(Panel2, Named(new TProgressBar(Panel2), "ProgressBar1"), 17);
    Label1 = StatusLabel(Panel2, "Label1", 15);
    Label3 = StatusLabel(Panel2, "Label3", 15);
    Label4 = StatusLabel(Panel2, "Label4", 15);
    BitBtn5 =
        Button(Panel2, "BitBtn5", QStringLiteral("Delete"), PanelButtonPlace(0), CrossGlyph());
    BitBtn5->setToolTip(QStringLiteral("Delete selected files"));
    BitBtn4 = Button(Panel2, "BitBtn4", QStringLiteral("Back"), PanelButtonPlace(1), BackGlyph());
    BitBtn2 = Button(Panel2, "BitBtn2", QStringLiteral("Stop"), PanelButtonPlace(2), StopGlyph());
    BitBtn_1 = Button(Panel2, "BitBtn_1", QStringLiteral("Invert"), QRect(520, 20, 75, 25));
    BitBtn_2 = Button(Panel2, "BitBtn_2", QStringLiteral("Select All"), QRect(596, 20, 75, 25));
    BitBtn_3 = Button(Panel2, "BitBtn_3", QStringLiteral("Deselect All"), QRect(672, 20, 75, 25));
    KeepOneButton =
        Button(Panel2, "KeepOneButton", QStringLiteral("Keep one"), QRect(672, 66, 75, 26));
    SummaryLabel = Named(new QLabel(Panel2), "SummaryLabel");
    WholeGroupsLabel = Named(new QLabel(Panel2), "WholeGroupsLabel");
    for (QLabel* label : {SummaryLabel, WholeGroupsLabel})
        label->setTextFormat(Qt::PlainText);
    // The line is set on the rows' warning colour, so it reads alike in every look.
    WholeGroupsLabel->setAutoFillBackground(true);
    QPalette warning = WholeGroupsLabel->palette();
    warning.setColor(QPalette::Window, ColorToQColor(TResultsGroups::WholeGroupColor()));
    warning.setColor(QPalette::WindowText, Qt::black);
    WholeGroupsLabel->setPalette(warning);
    m_groups =
        std::make_unique<TResultsGroups>(*DataGrid1, m_columns, *SummaryLabel, *WholeGroupsLabel);
}

void TForm1::CreateDeletionPage()
{
    GroupBox1 = AddPage(*PageControl1, "TabSheet3", "GroupBox1",
                        QStringLiteral("Delete duplicates:"), TabSheet3);
    BoxLayout(GroupBox1)->addStretch();
    Panel3 = AddButtonPanel(GroupBox1, "Panel3");
    BitBtn6 =
        Button(Panel3, "BitBtn6", QStringLiteral("Delete"), PanelButtonPlace(0), CrossGlyph());
    BitBtn7 = Button(Panel3, "BitBtn7", QStringLiteral("Back"), PanelButtonPlace(1), BackGlyph());

    RadioButton1 = RadioButton(GroupBox1, "RadioButton1", QStringLiteral("Delete in Recycle bin"),
                               QRect(16, 32, 129, 17));
    RadioButton2 = RadioButton(GroupBox1, "RadioButton2", QStringLiteral("Delete from hard drive"),
                               QRect(16, 56, 129, 17));
    RadioButton3 = RadioButton(GroupBox1, "RadioButton3",
                               QStringLiteral("Copy to specified folder"), QRect(16, 80, 137, 17));
    RadioButton1->setChecked(true);

    Memo1 =
        Hidden(Placed(Memo(GroupBox1, "Memo1", Qt::ScrollBarAsNeeded), QRect(64, 240, 553, 89)));
    DataGrid2 =
        Hidden(Placed(Named(new TDataGrid(GroupBox1), "DataGrid2"), QRect(48, 32, 441, 105)));
    DataGrid3 =
        Hidden(Placed(Named(new TDataGrid(GroupBox1), "DataGrid3"), QRect(48, 136, 441, 105)));
    SetupCandidateTable(*DataGrid2);
    SetupPairTable(*DataGrid3);
    Memo2 =
        Hidden(Placed(Memo(GroupBox1, "Memo2", Qt::ScrollBarAlwaysOn), QRect(512, 32, 233, 121)));
    Button2 =
        Hidden(Button(GroupBox1, "Button2", QStringLiteral("Button2"), QRect(240, 320, 75, 25)));
}

void TForm1::CreateReportPage()
{
    GroupBox4 =
        AddPage(*PageControl1, "TabSheet4", "GroupBox4", QStringLiteral("Report:"), TabSheet4);
    Memo3 = Memo(GroupBox4, "Memo3", Qt::ScrollBarAsNeeded);
    BoxLayout(GroupBox4)->addWidget(Memo3, 1);
    Panel4 = AddButtonPanel(GroupBox4, "Panel4");
    ProgressBar2 = AlignTop(Panel4, Named(new TProgressBar(Panel4), "ProgressBar2"), 17);
    Label2 = StatusLabel(Panel4, "Label2", 38);
    BitBtn8 = Button(Panel4, "BitBtn8", QStringLiteral("Exit"), PanelButtonPlace(0), CrossGlyph());
    BitBtn9 = Button(Panel4, "BitBtn9", QStringLiteral("Back"), PanelButtonPlace(1), BackGlyph());
}

void TForm1::CreatePopupMenu()
{
    PopupMenu1 = Named(new QMenu(this), "PopupMenu1");
    Opencontainfolder1 = PopupMenu1->addAction(QStringLiteral("Open contain folder"));
    Opencontainfolder1->setObjectName(QStringLiteral("Opencontainfolder1"));
    Execute1 = PopupMenu1->addAction(QStringLiteral("Execute"));
    Execute1->setObjectName(QStringLiteral("Execute1"));
    Properties1 = PopupMenu1->addAction(QStringLiteral("Properties"));
    Properties1->setObjectName(QStringLiteral("Properties1"));
    DataGrid1->SetPopupMenu(PopupMenu1);
    CreateKeepRuleActions();
}

void TForm1::CreateKeepRuleActions()
{
    auto* keepMenu = Named(new QMenu(this), "KeepOneMenu");
    PopupMenu1->addSeparator();
    const auto add = [&](const char* name, const char* caption, TKeepRule rule) {
        QAction* action = PopupMenu1->addAction(QString::fromUtf8(caption));
        action->setObjectName(QLatin1String(name));
        keepMenu->addAction(action);
        connect(action, &QAction::triggered, this, Guarded([this, rule] { KeepRuleClick(rule); }));
        return action;
    };
    KeepOldest1 = add("KeepOldest1", "Keep the oldest of each group", TKeepRule::Oldest);
    KeepNewest1 = add("KeepNewest1", "Keep the newest of each group", TKeepRule::Newest);
    KeepShortest1 =
        add("KeepShortest1", "Keep the shortest path of each group", TKeepRule::ShortestPath);
    KeepInFolder1 =
        add("KeepInFolder1", "Keep the copies in this folder", TKeepRule::CopiesInFolder);
    MarkInFolder1 = add("MarkInFolder1", "Mark all in this folder", TKeepRule::MarkFolder);
    KeepOneButton->setMenu(keepMenu);
    PopupMenu1->addSeparator();
    SaveList1 = PopupMenu1->addAction(QStringLiteral("Save list…"));
    SaveList1->setObjectName(QStringLiteral("SaveList1"));
}

void TForm1::ConnectHandlers()
{
    // Every handler takes its sender and runs guarded, so an error it raises reaches the error
    // box without unwinding through Qt.
    const auto on = [this](auto* sender, auto signal, void (TForm1::*handler)(QObject*)) {
        connect(sender, signal, this,
                Guarded([this, sender, handler] { (this->*handler)(sender); }));
    };
    const auto onClick = [&on](QPushButton* button, void (TForm1::*handler)(QObject*)) {
        on(button, &QPushButton::clicked, handler);
    };
    onClick(BitBtn1, &TForm1::BitBtn1Click);
    onClick(BitBtn2, &TForm1::BitBtn2Click);
    onClick(BitBtn3, &TForm1::BitBtn3Click);
    onClick(BitBtn4, &TForm1::BitBtn4Click);
    onClick(BitBtn7, &TForm1::BitBtn4Click);
    onClick(BitBtn9, &TForm1::BitBtn4Click);
    onClick(BitBtn5, &TForm1::BitBtn5Click);
    onClick(BitBtn6, &TForm1::BitBtn6Click);
    onClick(BitBtn8, &TForm1::BitBtn8Click);
    onClick(BitBtn10, &TForm1::BitBtn10Click);
    onClick(BitBtn11, &TForm1::BitBtn11Click);
    on(Edit2, &QLineEdit::textChanged, &TForm1::Edit2Change);
    onClick(BitBtn_1, &TForm1::BitBtn_1Click);
    onClick(BitBtn_2, &TForm1::BitBtn_2Click);
    onClick(BitBtn_3, &TForm1::BitBtn_3Click);
    on(Opencontainfolder1, &QAction::triggered, &TForm1::Opencontainfolder1Click);
    on(Execute1, &QAction::triggered, &TForm1::Execute1Click);
    on(Properties1, &QAction::triggered, &TForm1::Properties1Click);
    on(SaveList1, &QAction::triggered, &TForm1::SaveList1Click);
    DataGrid1->OnCellClick = [this](QObject* Sender, int ACol, int ARow) {
        DataGrid1CellClick(Sender, ACol, ARow);
    };
    DataGrid1->OnCellDblClick = [this](QObject* Sender, int ACol, int ARow) {
        DataGrid1CellDblClick(Sender, ACol, ARow);
    };
    ConnectReferenceRows();
}

// A reference file's row reads in its own colour, shows a lock instead of its check box, and
// refuses to be marked.
void TForm1::ConnectReferenceRows()
{
    const int del = m_columns.Del;
    const TReferenceRows references(*DataGrid1, m_columns);
    DataGrid1->Columns().Items(del).SetDrawingOptions(doCustom);
    DataGrid1->OnBeforeEdit = [references, del](QObject*, int ACol, int ARow, bool& Accept) {
        if (ACol == del && references.Contains(ARow))
            Accept = false;
    };
    DataGrid1->OnCellFormating = [references](QObject*, int, int ARow, TColor& TextColor,
                                              TFontStyles&, TCellState) {
        if (references.Contains(ARow))
            TextColor = kReferenceTextColor;
    };
    DataGrid1->OnCustomDrawCell = [this, references, del](QObject*, int ACol, int ARow,
                                                          const QRect& CellRect, TCellState) {
        if (ACol != del || !references.Contains(ARow))
            return;
        TCanvas& canvas = *DataGrid1->Canvas();
        canvas.FillRect(CellRect, DataGrid1->Columns().Items(del).Color());
        static const QImage lock = LockGlyph();
        canvas.Painter().drawImage(CellRect.center() - lock.rect().center(), lock);
    };
}

void TForm1::FormCreate(QObject*)
{
    for (int i = 0; i < PageControl1->PageCount(); ++i)
        PageControl1->SetTabVisible(i, false);
    PageControl1->SetActivePageIndex(0);
    Edit1->SetButtonCaption(QStringLiteral("Browse"));
    Edit1->SetButtonWidth(70);
    Edit1->resize(Edit1->width(), 25);
}

// The mark buttons keep their distance from the window's right edge, the keep-one button below
// "Invert"; the summary lines fill the room between the page's buttons and it. The path column
// takes whatever the window has grown by.
void TForm1::FormResize(QObject*)
{
    const int width = OuterSize(*this).width();
    BitBtn_1->move(width - BitBtn_1->width() - 25, BitBtn_1->y());
    BitBtn_2->move(width - 2 * BitBtn_2->width() - 25, BitBtn_2->y());
    BitBtn_3->move(width - 3 * BitBtn_3->width() - 25, BitBtn_3->y());
    KeepOneButton->move(BitBtn_1->x(), KeepOneButton->y());
    const int left = PanelButtonPlace(3).left() + 4;
    const int labelWidth = std::max(0, KeepOneButton->x() - left - 4);
    SummaryLabel->setGeometry(left, 64, labelWidth, 14);
    WholeGroupsLabel->setGeometry(left, 78, labelWidth, 14);
    const int grown = std::max(0, width - InitialOuterSize.width());
    DataGrid1->Columns().Items(m_columns.Dest).SetWidth(ResultColumnWidth("Dest") + grown);
}

// Start also stops: a press during a run (after going back to the options) turns the flag to 1,
// and the run in progress sees it at its next check. Further presses alternate between asking
// for a new run and only stopping, as the flag would; the new run begins once the old one has
// left the stack, never inside it, so two runs never share the grids.
void TForm1::BitBtn1Click(QObject*)
{
    // Patterns that cannot be read are shown where they were typed, and nothing starts.
    if (!m_searching && !CheckSkipFolders()) {
        Edit2->setFocus();
        return;
    }
    PageControl1->SelectNextPage(true);
    if (m_searching) {
        if (!IsIdle(StopFlag))
            StopFlag = 1;
        else
            m_searchAgain = !m_searchAgain;
        return;
    }
    StopFlag ^= 1;
    if (IsIdle(StopFlag))
        return;
    m_searching = true;
    const auto idle = qScopeGuard([this] {
        m_searching = false;
        m_searchAgain = false;
    });
    const auto counted = qScopeGuard([this] { m_groups->Refresh(); });
    for (;;) {
        const TSearchInputs inputs = SearchInputs();
        m_referenceFolders = inputs.ReferenceFolders();
        m_folderNotices.clear();
        Label5->hide();
        m_searchedFolders = inputs.SearchedFolders();
        m_searchedRecurse = inputs.Recurse;
        RunSearch(SearchView(), inputs);
        if (!m_searchAgain || m_closed)
            break;
        m_searchAgain = false;
        StopFlag = 0;
    }
}

// A new run asked for during this one is given up as well: the user's last word was Stop.
void TForm1::BitBtn2Click(QObject*)
{
    if (std::exchange(m_searchAgain, false))
        StopFlag = 1;
    else
        StopFlag ^= 1;
}

void TForm1::BitBtn3Click(QObject*)
{
    m_searchAgain = false;
    StopFlag = 1;
}

void TForm1::BitBtn4Click(QObject*)
{
    PageControl1->SelectNextPage(false);
}

void TForm1::BitBtn5Click(QObject*)
{
    PageControl1->SelectNextPage(true);
}

// One run at a time: a second run started from a message handled inside the first would decide
// which copies stay from a disk that the first is still changing. Nor during a search, whose
// rows are not the results yet.
void TForm1::BitBtn6Click(QObject*)
{
    if (m_deleting || m_searching)
        return;
    m_deleting = true;
    BitBtn6->setEnabled(false);
    const auto done = qScopeGuard([this] {
        m_deleting = false;
        BitBtn6->setEnabled(true);
    });
    const TDeletionMode mode = RadioButton1->isChecked()   ? TDeletionMode::RecycleBin
                               : RadioButton2->isChecked() ? TDeletionMode::HardDrive
                                                           : TDeletionMode::CopyToFolder;
    // The target is asked for before anything happens: cancelling leaves all as it was. The
    // dialog is the one Browse opens.
    TMoveTarget target{{}, m_searchedFolders, m_searchedRecurse};
    if (mode == TDeletionMode::CopyToFolder &&
        !ChooseMoveTarget(Edit1->FolderDialog(), this, target))
        return;
    Memo3->Lines().Clear();
    PageControl1->SelectNextPage(true);
    RunDeletion({*DataGrid1, *Memo3, *ProgressBar2, m_closed, m_referenceFolders}, mode, target);
}

void TForm1::BitBtn8Click(QObject*)
{
    close();
}

// A single repaint at the end, however many rows.
void TForm1::SetAllMarks(bool (*mark)(bool present))
{
    const TReferenceRows references(*DataGrid1, m_columns);
    std::vector<bool> marks;
    marks.reserve(size_t(DataGrid1->RowCount()));
    for (int row = 0; row < DataGrid1->RowCount(); ++row)
        marks.push_back(!references.Contains(row) &&
                        mark(DataGrid1->Cell(m_columns.Del, row).AsBoolean()));
    m_groups->SetMarks(marks);
}

void TForm1::KeepRuleClick(TKeepRule rule)
{
    const bool byFolder = rule == TKeepRule::CopiesInFolder || rule == TKeepRule::MarkFolder;
    m_groups->ApplyRule(rule, byFolder && DataGrid1->RowCount() > 0 ? FolderOf(SelectedFile())
                                                                    : QByteArray());
}

void TForm1::BitBtn10Click(QObject*)
{
    QString folder = ListView1->topLevelItemCount() > 0
                         ? ListView1->topLevelItem(ListView1->topLevelItemCount() - 1)->text(0)
                         : Edit1->text();
    // The dialog runs its own event loop, in which the window may go away.
    const QPointer<TForm1> self(this);
    if (ChooseFolder(Edit1->DialogCaption(), Edit1->Root(), folder, Edit1->FolderDialog(), this) &&
        self)
        AddFurtherFolder(folder);
}

void TForm1::BitBtn11Click(QObject*)
{
    qDeleteAll(ListView1->selectedItems());
}

void TForm1::Edit2Change(QObject*)
{
    CheckSkipFolders();
}

bool TForm1::CheckSkipFolders()
{
    try {
        TFolderExclusions(TextToFileName(Edit2->text()));
    } catch (const EMaskException& error) {
        Label8->setText(error.Message());
        Label8->show();
        return false;
    }
    Label8->hide();
    return true;
}

void TForm1::AddFurtherFolder(const QString& folder, bool reference)
{
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i)
        if (ListView1->topLevelItem(i)->text(0) == folder) {
            ListView1->setCurrentItem(ListView1->topLevelItem(i));
            return;
        }
    auto* item = new QTreeWidgetItem(ListView1, {folder});
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(1, reference ? Qt::Checked : Qt::Unchecked);
    item->setToolTip(0, folder);
    ListView1->setCurrentItem(item);
}

// The line names three folders and its tip forty, each then saying how many more there are:
// a thousand missing folders must not make a tip taller than the screen.
void TForm1::ShowFolderNotice(const QString& text)
{
    m_folderNotices << text;
    const auto summary = [this](qsizetype shown, const QString& separator) {
        QString summary = m_folderNotices.mid(0, shown).join(separator);
        if (m_folderNotices.size() > shown)
            summary +=
                separator + QStringLiteral("and %1 more").arg(m_folderNotices.size() - shown);
        return summary;
    };
    Label5->setText(summary(3, QStringLiteral("; ")));
    Label5->setToolTip(summary(40, QStringLiteral("\n")));
    Label5->show();
}

void TForm1::BitBtn_1Click(QObject*)
{
    SetAllMarks([](bool present) { return !present; });
}

void TForm1::BitBtn_2Click(QObject*)
{
    SetAllMarks([](bool) { return true; });
}

void TForm1::BitBtn_3Click(QObject*)
{
    SetAllMarks([](bool) { return false; });
}

QByteArray TForm1::SelectedFile()
{
    return TextToFileName(DataGrid1->Cell(m_columns.Dest, QStringLiteral("Selected")).AsString());
}

void TForm1::Opencontainfolder1Click(QObject*)
{
    ShellOpen(FolderOf(SelectedFile()));
}

void TForm1::Execute1Click(QObject*)
{
    ShellOpen(SelectedFile());
}

void TForm1::Properties1Click(QObject*)
{
    ShellShowProperties(SelectedFile());
}

// Nothing is written for an empty grid or a cancelled dialog; a file that cannot be written
// raises its error for the error box, and leaves nothing half-written under the chosen name.
void TForm1::SaveList1Click(QObject*)
{
    if (m_groups->SaysEmpty())
        return;
    const QString fileName = SaveDialog(this, QStringLiteral("Save list"),
                                        QDir::homePath() + QStringLiteral("/twins.csv"));
    if (fileName.isEmpty())
        return;
    SaveFileAtomically(fileName, ResultsCsv(*DataGrid1, m_columns));
}

// A click on a thumbnail shows the picture large. Whatever goes wrong on the way (no selected
// row, a file gone or not a picture the view can decode) only means that nothing is shown.
void TForm1::DataGrid1CellClick(QObject*, int ACol, int)
{
    Form2->SetOuterSize(kPreviewOuterSize);
    if (ACol != m_columns.Priv)
        return;
    QImage picture;
    try {
        picture = LoadPictureFile(SelectedFile());
    } catch (const std::exception&) {
        return;
    }
    if (picture.isNull())
        return;
    Form2->Image1->SetPicture(picture);
    Form2->SetOuterSize(PreviewOuterSize(picture.size()));
    Form2->ShowModal();
    // A large picture is not kept once the view is closed; the keys go back to the results.
    Form2->Image1->SetPicture({});
    activateWindow();
}

void TForm1::DataGrid1CellDblClick(QObject*, int, int)
{
    ShellOpen(SelectedFile());
}

TSearchView TForm1::SearchView()
{
    // The grid is emptied as the scan begins; the rows are counted once they are all made, and
    // again when the run is over.
    auto phaseStarted = [this](TSearchPhase phase) {
        if (phase == TSearchPhase::Scan)
            m_groups->Suspend();
        if (phase == TSearchPhase::Thumbnails)
            m_groups->Refresh();
        if (OnSearchPhase)
            OnSearchPhase(phase);
    };
    return {*Label1,    *Label3, *Label4,     *ProgressBar1, *Memo1,
            *Memo2,     *Memo3,  *ImageList1, *DataGrid1,    *DataGrid2,
            *DataGrid3, *Image1, StopFlag,    m_closed,      phaseStarted,
            [this](const QString& text) { ShowFolderNotice(text); }};
}

TSearchInputs TForm1::SearchInputs() const
{
    TSearchInputs inputs{TextToFileName(Edit1->text()), ComboBox1->currentData().toByteArray(),
                         CheckBox1->isChecked()};
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = ListView1->topLevelItem(i);
        inputs.MoreFolders.push_back(
            {TextToFileName(item->text(0)), item->checkState(1) == Qt::Checked});
    }
    inputs.SkipFolders = TextToFileName(Edit2->text());
    return inputs;
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FormResize(this);
}

void TForm1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_closed = false;
    // The frame is known only now; a window manager's frame counts into the outer size.
    if (!event->spontaneous() && size() == InitialOuterSize)
        QTimer::singleShot(0, this, [this] {
            if (size() == InitialOuterSize && OuterSize(*this) != size())
                SetOuterSize(*this, InitialOuterSize);
        });
}

// The window is not destroyed here: a search run may be on the stack below this event. The run
// sees the flags at its next message handling and unwinds; the program ends once it has.
void TForm1::closeEvent(QCloseEvent* event)
{
    StopFlag = 1;
    m_closed = true;
    event->accept();
}
