#pragma once

// Frmmain: the main window of Korvid. Several can be open in one process; each is loaded by
// its constructor (Form_Load) and unloads itself when it closes (Form_QueryUnload).
//
// Which file holds which area of the window:
//   Frmmain.cpp           controls, pop-up menus, load, activation, layout, timers, close
//   Frmmain_tree.cpp      the channel and radio directory: LoadChannels, loadRadio, tvw_*
//   Frmmain_directory.cpp the user's own leaves of the directory
//   Frmmain_browser.cpp   browser events, page commands, OpenInNewWindow, Cmb_KeyDown
//   Frmmain_history.cpp   the viewing history and the favourites menu
//   Frmmain_commands.cpp  toolbar buttons, SetUpMenu, About
//   Frmmain_search.cpp    the video search bar
//
// The constructor wires every control and menu item to its handler below, so an area only
// fills in the bodies of its handlers. Each area keeps its declarations in its own block.

#include "portal/PortalContext.h"
#include "portal/directory/DirectoryTable.h"
#include "portal/directory/LinkCheck.h"
#include "portal/mainwindow/MainLayout.h"
#include "portal/resources/ImageList.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>

class QAction;
class QComboBox;
class QDialog;
class QMenu;
class QPushButton;
class QTimer;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace lumera {
class NewWindowRequest;
class WebBrowser;
} // namespace lumera

namespace lumera::portal {

struct DirectoryOverlay;
class PictureBox;
class StatusBar;

class Frmmain : public QWidget {
    Q_OBJECT
public:
    // Builds the window hidden and loads it (Form_Load).
    explicit Frmmain(PortalContext& context, QWidget* parent = nullptr);
    ~Frmmain() override;

    PortalContext& context() const { return ctx; }
    void setVisible(bool visible) override;

    // ---- Controls ---------------------------------------------------------------------
    QToolBar* Toolbar = nullptr;
    QComboBox* CmbType = nullptr;
    QComboBox* CmbSearch = nullptr;
    QPushButton* Cmd = nullptr;
    WebBrowser* Web = nullptr;
    PictureBox* lab = nullptr;
    QTreeWidget* tvw = nullptr;
    PictureBox* Pop = nullptr;
    WebBrowser* WebPop = nullptr;
    PictureBox* Piclose = nullptr;
    PictureBox* PicPro = nullptr;
    StatusBar* Stat = nullptr;
    QComboBox* Cmb = nullptr;
    ImageList ImageList1;
    ImageList ImageList2;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
    QTimer* TimerSetFocus = nullptr;

    // ---- Pop-up menus and their items -------------------------------------------------
    QMenu* FileMenu = nullptr;
    QMenu* FavMenu = nullptr;
    QAction* addhome = nullptr;
    QAction* SearchDir = nullptr;
    QAction* favbar = nullptr;
    QList<QAction*> MyFavorites; // element 0 always exists
    QMenu* SetUpMenu = nullptr;
    QAction* Help = nullptr;
    QAction* LianBar1 = nullptr;
    QAction* HomePage = nullptr;
    QAction* Download = nullptr;
    QAction* email = nullptr;
    QAction* Lianbar2 = nullptr;
    QAction* TimerCheck = nullptr;
    QAction* TimeTurnOff = nullptr;
    QAction* Setup = nullptr;
    QMenu* TvwList = nullptr;
    QAction* TvwAppend = nullptr;
    QAction* ShortTvw = nullptr;
    QAction* TvwBar = nullptr;
    QAction* AddTvwList = nullptr;
    QAction* DelTvwList = nullptr;
    QAction* ChangeTvwLink = nullptr;
    QAction* ResetTvwList = nullptr;
    QAction* TvwBar3 = nullptr;
    QAction* CheckLinks = nullptr;
    QAction* HideDeadLinks = nullptr;
    QAction* HideList = nullptr;
    QAction* TvwBar2 = nullptr;
    QAction* ReLoadWeb = nullptr;
    QAction* GanGao = nullptr;
    QMenu* MouseRight = nullptr;
    QAction* WebTop = nullptr;
    QAction* WebButton = nullptr;
    QAction* Mbar2 = nullptr;
    QAction* Webcopy = nullptr;
    QAction* WebCut = nullptr;
    QAction* WebPaste = nullptr;
    QAction* Mbar = nullptr;
    QAction* Reshua = nullptr;
    QAction* WebAll = nullptr;
    QAction* Mbar3 = nullptr;
    QAction* Websearch = nullptr;
    QAction* AboutMe = nullptr;

    // ---- Per-window state -------------------------------------------------------------
    std::int32_t ProgressStep = 0;
    bool FocusReady = false;
    std::int32_t MinuteCount = 0;
    QString TargetUrl;
    std::int32_t UseCount = 0;
    QTreeWidgetItem* LastNode = nullptr;

    // ---- Layout (Frmmain.cpp) ---------------------------------------------------------
    // Where the moving controls are, in twips; applyLayout() puts the widgets there.
    MainLayout layout;
    void applyLayout();
    int ScaleWidth() const;
    int ScaleHeight() const;
    // The outer width of the window in twips.
    int WindowWidth() const;

    // ---- Life cycle, panels and timers (Frmmain.cpp) ----------------------------------
    void Form_Load();
    void Form_Activate();
    void Form_Resize();
    void Form_QueryUnload();
    void HideList_Click();
    void Piclose_Click();
    void GanGao_Click();
    void lab_MouseMove(Qt::MouseButtons buttons, int x);
    void lab_MouseUp();
    void Timer1_Timer();
    void Timer2_Timer();
    void TimerSetFocus_Timer();
    void tvw_GotFocus();
    void tvw_LostFocus();
    // Gives the focus to Cmb unless the user is typing: in an editable box such as CmbSearch
    // or CmbType, or in an editable field of the page (asked of the page; the focus moves when
    // its answer comes, if it still should). True when the focus moved at once.
    bool focusCmbUnlessTyping();

    // ---- Directory tree (Frmmain_tree.cpp) --------------------------------------------
    void LoadChannels();
    void loadRadio();
    // Clears the tree and builds the directory with the user's changes and the link marks.
    void showDirectory(const Directory& directory);
    void tvw_DblClick();
    void tvw_MouseUp(Qt::MouseButton button);
    void TvwAppend_Click();
    void ShortTvw_Click();

    // ---- The user's own leaves (Frmmain_directory.cpp) --------------------------------
    // Adds a leaf to the group of the selected node; an address the tree already holds
    // selects that leaf instead.
    void AddTvwList_Click();
    // Removes the selected leaf after a confirmation.
    void DelTvwList_Click();
    // Gives the selected leaf another address.
    void ChangeTvwLink_Click();
    // Drops every change of the user after a confirmation.
    void ResetTvwList_Click();
    // Enables the commands of TvwList that the selected node allows.
    void enableTvwListCommands();
    // The directory the tree shows, built again with the user's changes; then the node of
    // that key is selected when there is one.
    void rebuildDirectory(const QString& keyToSelect = QString());
    // Runs one of the window's own dialogs to its end through the context's dialogs, deletes
    // it and gives its result.
    int runDialog(QDialog* dialog);
    // Opens through the desktop; where nothing can open it, a message says so.
    void openThroughDesktop(const QString& target);
    // Makes one change to the user's directory file as it is on disk, for the directory
    // shown (`edit` returns false when there is nothing to change), stores it, says what went
    // wrong (a damaged file kept aside, a file that cannot be read or written) and builds the
    // tree again, selecting the node of that key.
    void editDirectory(const std::function<bool(DirectoryOverlay&, const Directory&)>& edit,
                       const QString& keyToSelect = QString());

    // ---- Link check (Frmmain_directory.cpp) -------------------------------------------
    // Checks every leaf of the directory shown; chosen while a check runs, stops it.
    void CheckLinks_Click();
    // Ends a running check, keeping what it found.
    void stopLinkCheck();
    // Lays what the check found over the user's file and shows the marks it then holds.
    void storeFoundLinkMarks();
    // Greys dead leaves, puts each mark into its leaf's tool tip, hides dead leaves when
    // HideDeadLinks is checked.
    void applyLinkMarks();
    // The marks of the last checks, by address, as the user's file held them at the last
    // build or store.
    LinkMarks linkMarks;
    // What the running check found so far, to be laid over the file when it ends.
    LinkMarks linkFound;
    QPointer<LinkCheck> linkCheck;

    // ---- Browser panes and page commands (Frmmain_browser.cpp) ------------------------
    void Web_StatusTextChange(const QString& text);
    void Web_ProgressChange(int progress, int progressMax);
    void Web_CommandStateChange(int command, bool enable);
    void Web_TitleChange(const QString& text);
    void Web_BeforeNavigate2(const QString& url);
    void Web_NewWindow2(lumera::NewWindowRequest* request);
    void Web_DocumentComplete(const QString& url);
    void WebPop_DownloadComplete();
    // Opens the address in a new main window, which is shown at once.
    Frmmain* OpenInNewWindow(const QString& address);
    void WebTop_Click();
    void WebButton_Click();
    void Webcopy_Click();
    void WebCut_Click();
    void WebPaste_Click();
    void Reshua_Click();
    void WebAll_Click();
    void Websearch_Click();
    void ReLoadWeb_Click();
    // keyCode: 38 for the Up arrow, 40 for the Down arrow, else the key's own code.
    void Cmb_KeyDown(int keyCode);

    // ---- Browser pane state (Frmmain_browser.cpp) -------------------------------------
    // The last status text of Web that was neither empty nor "完成".
    QString LastStatusText;
    // The title last recorded in the viewing history.
    QString LastTitle;
    bool CanGoBack = false;
    bool CanGoForward = false;
    // The main window this one opened last.
    QPointer<Frmmain> ChildWindow;
    // Enables the toolbar's "back" and "forward" buttons as CanGoBack and CanGoForward say.
    void butenableable();

    // ---- History and favourites (Frmmain_history.cpp) ---------------------------------
    // Merges the history collected since start into his.dat (the last window's close).
    void SaveHistoryFile();
    // The toolbar's "history": saves the history, rewrites history.html and shows it in Web.
    void ShowHistoryPage();
    // Rebuilds the favourite entries of FavMenu from Fav.rar; the toolbar's "fav" calls it
    // before popping FavMenu up.
    void LoadFavoritesMenu();
    void addhome_Click();
    void SearchDir_Click();
    void MyFavorites_Click(int index);

    // ---- Toolbar, menu commands and video search (Frmmain_commands.cpp, _search.cpp) --
    // The toolbar's buttons in order, separators included: button i is ToolbarButtons[i - 1].
    QList<QAction*> ToolbarButtons;
    // Runs the command of the clicked button's key; separators and unknown keys do nothing.
    void Toolbar_ButtonClick(QAction* button);
    void Help_Click();
    void HomePage_Click();
    void Download_Click();
    void email_Click();
    void TimeTurnOff_Click();
    void Setup_Click();
    void AboutMe_Click();
    void Cmd_Click();
    // keyCode 13 (Enter) searches; other keys do nothing here.
    void CmbSearch_KeyDown(int keyCode);
    void CmbType_Click();
    void CmbSearch_GotFocus();
    void CmbSearch_LostFocus();

signals:
    // After Form_QueryUnload, as the window goes.
    void unloaded();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void createMenus();
    void wireEvents();
    void alignBars();
    // Toolbar buttons, search bar and their wiring (Frmmain_commands.cpp).
    void setUpCommands();
    void setUpSearchBarEvents();
    void showModal(QWidget* dialog);
    // Takes the window's dialogs from the screen as the window closes.
    void endDialogs();
    void place(QWidget* widget, const ControlBox& box);

    PortalContext& ctx;
    bool unloading_ = false;
};

} // namespace lumera::portal
