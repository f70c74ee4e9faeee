#include "portal/mainwindow/Frmmain.h"

#include "platform/web/WebBrowser.h"
#include "portal/MenuItems.h"
#include "portal/ProgramTexts.h"
#include "portal/UseCounter.h"
#include "portal/directory/PortalSites.h"
#include "portal/mainwindow/PictureBox.h"
#include "portal/mainwindow/StatusBar.h"
#include "portal/mainwindow/Twips.h"
#include "portal/resources/PortalImages.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QThread>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QWindow>
#include <algorithm>

namespace lumera::portal {

namespace {

const QString kDesktopKey = QStringLiteral("Control Panel\\Desktop");

// The designed client area.
constexpr int kDesignWidth = 11805;
constexpr int kDesignHeight = 7350;
constexpr int kToolbarHeight = 600;
constexpr int kStatusHeight = 300;
// How often a closed window looks again whether the dialog loops that hold it have ended.
constexpr int kDeletionRetry = 50;

// The key code of the form's key handlers: the arrow keys as 37 to 40, letters and digits as
// their upper-case character.
int keyCodeOf(const QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    default:
        return event->key();
    }
}

} // namespace

Frmmain::Frmmain(PortalContext& context, QWidget* parent) : QWidget(parent), ctx(context) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(kProgramTitle);
    setWindowIcon(programIcon());
    resize(twipsToPixels(kDesignWidth), twipsToPixels(kDesignHeight));
    // Restored from maximised, the window sits in the middle of the screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    setWindowState(Qt::WindowMaximized);
    createControls();
    createMenus();
    wireEvents();
    applyLayout();
    Form_Load();
}

Frmmain::~Frmmain() = default;

// ---- Controls ---------------------------------------------------------------------------

void Frmmain::createControls() {
    ImageList1 = toolbarImages();
    ImageList2 = treeImages();

    Toolbar = new QToolBar(this);
    Toolbar->setObjectName("Toolbar");
    Toolbar->setMovable(false);
    Toolbar->setFloatable(false);
    Toolbar->setIconSize(ImageList1.imageSize());
    Toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);

    CmbType = new QComboBox(Toolbar);
    CmbType->setObjectName("CmbType");
    CmbType->setEditable(true);
    CmbType->setEditText(QStringLiteral("百度电影"));
    CmbSearch = new QComboBox(Toolbar);
    CmbSearch->setObjectName("CmbSearch");
    CmbSearch->setEditable(true);
    Cmd = new QPushButton(QStringLiteral("搜索(&S)"), Toolbar);
    Cmd->setObjectName("Cmd");

    Web = ctx.browsers.create(this);
    Web->setObjectName("Web");
    Web->widget()->setObjectName("Web");
    // The browser pane is first in tab order: a new window starts with the focus there, not
    // in the engine box, where the arrow keys would change the engine.
    Web->widget()->setFocus();

    lab = new PictureBox(this);
    lab->setObjectName("lab");
    lab->setCursor(Qt::SplitHCursor);
    lab->setBackColor(palette().color(QPalette::Button));

    tvw = new QTreeWidget(this);
    tvw->setObjectName("tvw");
    tvw->setHeaderHidden(true);
    tvw->setColumnCount(1);
    tvw->setIconSize(ImageList2.imageSize());
    tvw->setToolTip(QStringLiteral("右击展开全部列表"));

    Pop = new PictureBox(this);
    Pop->setObjectName("Pop");
    WebPop = ctx.browsers.create(Pop);
    WebPop->setObjectName("WebPop");
    WebPop->widget()->setObjectName("WebPop");
    WebPop->widget()->setGeometry(twipsToPixels(-40), twipsToPixels(-40), twipsToPixels(6000),
                                  twipsToPixels(6000));

    Piclose = new PictureBox(this);
    Piclose->setObjectName("Piclose");
    Piclose->setPicture(closeButtonPicture());
    Piclose->setCursor(Qt::PointingHandCursor);

    Stat = new StatusBar(ctx.clock, this);
    Stat->setObjectName("Stat");

    PicPro = new PictureBox(this);
    PicPro->setObjectName("PicPro");
    PicPro->setBackColor(QColor(0, 0, 255));

    Cmb = new QComboBox(this);
    Cmb->setObjectName("Cmb");
    Cmb->setEditable(true);
    Cmb->setEditText(QStringLiteral("Combo1"));
    Cmb->setGeometry(twipsToPixels(-2760), twipsToPixels(2520), twipsToPixels(1470),
                     twipsToPixels(300));
    // The focus sink is handed the focus by the program; the Tab key passes it by.
    Cmb->setFocusPolicy(Qt::ClickFocus);

    Timer1 = new QTimer(this);
    Timer1->setInterval(60000);
    Timer1->start();
    Timer2 = new QTimer(this);
    Timer2->setInterval(40);
    TimerSetFocus = new QTimer(this);
    TimerSetFocus->setInterval(2000);
}

void Frmmain::createMenus() {
    // The form has no menu bar: every menu serves as a pop-up only.
    FileMenu = new QMenu(QStringLiteral("文件(&F)"), this);
    FileMenu->setObjectName("FileMenu");

    FavMenu = new QMenu(QStringLiteral("收藏夹(&A)"), this);
    FavMenu->setObjectName("FavMenu");
    addhome = addItem(FavMenu, QStringLiteral("添加到收藏夹"), "addhome");
    SearchDir = addItem(FavMenu, QStringLiteral("整理收藏夹"), "SearchDir");
    favbar = addBar(FavMenu, "favbar");
    MyFavorites.append(addItem(FavMenu, QString(), "MyFavorites"));

    SetUpMenu = new QMenu(QStringLiteral("联系我们"), this);
    SetUpMenu->setObjectName("SetUpMenu");
    Help = addItem(SetUpMenu, QStringLiteral("软件帮助(&H)"), "Help");
    LianBar1 = addBar(SetUpMenu, "LianBar1");
    HomePage = addItem(SetUpMenu, QStringLiteral("官方网站(&P)"), "HomePage");
    Download = addItem(SetUpMenu, QStringLiteral("软件升级(&D)"), "Download");
    email = addItem(SetUpMenu, QStringLiteral("联系我们(&E)"), "email");
    Lianbar2 = addBar(SetUpMenu, "Lianbar2");
    TimerCheck = addItem(SetUpMenu, QStringLiteral("启动整点报时"), "TimerCheck");
    TimerCheck->setCheckable(true);
    TimerCheck->setChecked(true);
    TimeTurnOff = addItem(SetUpMenu, QStringLiteral("定时关机(&T)"), "TimeTurnOff");
    Setup = addItem(SetUpMenu, QStringLiteral("系统设置(&S)"), "Setup");

    TvwList = new QMenu(QStringLiteral("电影列表"), this);
    TvwList->setObjectName("TvwList");
    TvwAppend = addItem(TvwList, QStringLiteral("展开全部列表(&A)"), "TvwAppend");
    ShortTvw = addItem(TvwList, QStringLiteral("收缩全部列表(&S)"), "ShortTvw");
    TvwBar = addBar(TvwList, "TvwBar");
    AddTvwList = addItem(TvwList, QStringLiteral("添加电影列表"), "AddTvwList");
    DelTvwList = addItem(TvwList, QStringLiteral("删除电影列表"), "DelTvwList");
    ChangeTvwLink = addItem(TvwList, QStringLiteral("修改链接地址"), "ChangeTvwLink");
    ResetTvwList = addItem(TvwList, QStringLiteral("恢复默认列表"), "ResetTvwList");
    // What the selected node allows; set again each time the menu pops up.
    enableTvwListCommands();
    HideList = addItem(TvwList, QStringLiteral("隐藏电影列表(&H)"), "HideList");
    TvwBar2 = addBar(TvwList, "TvwBar2");
    ReLoadWeb = addItem(TvwList, QStringLiteral("刷新广告页面(&R)"), "ReLoadWeb");
    GanGao = addItem(TvwList, QStringLiteral("显示广告页面(&V)"), "GanGao");
    TvwBar3 = addBar(TvwList, "TvwBar3");
    CheckLinks = addItem(TvwList, QStringLiteral("检查链接(&C)"), "CheckLinks");
    CheckLinks->setEnabled(ctx.links != nullptr);
    HideDeadLinks = addItem(TvwList, QStringLiteral("隐藏失效链接(&D)"), "HideDeadLinks");
    HideDeadLinks->setCheckable(true);

    MouseRight = new QMenu(QStringLiteral("鼠标右键"), this);
    MouseRight->setObjectName("MouseRight");
    WebTop = addItem(MouseRight, QStringLiteral("至页面顶部(&T)"), "WebTop");
    WebButton = addItem(MouseRight, QStringLiteral("至页面底部(&B)"), "WebButton");
    Mbar2 = addBar(MouseRight, "Mbar2");
    Webcopy = addItem(MouseRight, QStringLiteral("复制(&C)"), "Webcopy");
    WebCut = addItem(MouseRight, QStringLiteral("剪切(&M)"), "WebCut");
    WebPaste = addItem(MouseRight, QStringLiteral("粘贴(&P)"), "WebPaste");
    Mbar = addBar(MouseRight, "Mbar");
    Reshua = addItem(MouseRight, QStringLiteral("刷新(&R)"), "Reshua");
    WebAll = addItem(MouseRight, QStringLiteral("全选(&A)"), "WebAll");
    Mbar3 = addBar(MouseRight, "Mbar3");
    Websearch = addItem(MouseRight, QStringLiteral("搜索()&F"), "Websearch");
    AboutMe = addItem(MouseRight, QStringLiteral("关于软件(&A)"), "AboutMe");
}

void Frmmain::wireEvents() {
    connect(Web, &WebBrowser::StatusTextChange, this, &Frmmain::Web_StatusTextChange);
    connect(Web, &WebBrowser::ProgressChange, this, &Frmmain::Web_ProgressChange);
    connect(Web, &WebBrowser::CommandStateChange, this, &Frmmain::Web_CommandStateChange);
    connect(Web, &WebBrowser::TitleChange, this, &Frmmain::Web_TitleChange);
    connect(Web, &WebBrowser::BeforeNavigate2, this, &Frmmain::Web_BeforeNavigate2);
    connect(Web, &WebBrowser::NewWindow2, this, &Frmmain::Web_NewWindow2);
    connect(Web, &WebBrowser::DocumentComplete, this, &Frmmain::Web_DocumentComplete);
    connect(WebPop, &WebBrowser::DownloadComplete, this, &Frmmain::WebPop_DownloadComplete);

    connect(Timer1, &QTimer::timeout, this, &Frmmain::Timer1_Timer);
    connect(Timer2, &QTimer::timeout, this, &Frmmain::Timer2_Timer);
    connect(TimerSetFocus, &QTimer::timeout, this, &Frmmain::TimerSetFocus_Timer);

    connect(lab, &PictureBox::MouseMove, this,
            [this](Qt::MouseButtons buttons, int x, int) { lab_MouseMove(buttons, x); });
    connect(lab, &PictureBox::MouseUp, this, [this] { lab_MouseUp(); });
    connect(Piclose, &PictureBox::Click, this, &Frmmain::Piclose_Click);
    connect(Cmd, &QPushButton::clicked, this, &Frmmain::Cmd_Click);
    connect(tvw, &QTreeWidget::itemDoubleClicked, this, [this] { tvw_DblClick(); });
    tvw->installEventFilter(this);
    tvw->viewport()->installEventFilter(this);
    CmbSearch->installEventFilter(this);
    Cmb->installEventFilter(this);

    connect(addhome, &QAction::triggered, this, &Frmmain::addhome_Click);
    connect(SearchDir, &QAction::triggered, this, &Frmmain::SearchDir_Click);
    connect(MyFavorites.first(), &QAction::triggered, this, [this] { MyFavorites_Click(0); });
    connect(Help, &QAction::triggered, this, &Frmmain::Help_Click);
    connect(HomePage, &QAction::triggered, this, &Frmmain::HomePage_Click);
    connect(Download, &QAction::triggered, this, &Frmmain::Download_Click);
    connect(email, &QAction::triggered, this, &Frmmain::email_Click);
    connect(TimeTurnOff, &QAction::triggered, this, &Frmmain::TimeTurnOff_Click);
    connect(Setup, &QAction::triggered, this, &Frmmain::Setup_Click);
    connect(TvwAppend, &QAction::triggered, this, &Frmmain::TvwAppend_Click);
    connect(ShortTvw, &QAction::triggered, this, &Frmmain::ShortTvw_Click);
    connect(HideList, &QAction::triggered, this, &Frmmain::HideList_Click);
    connect(AddTvwList, &QAction::triggered, this, &Frmmain::AddTvwList_Click);
    connect(DelTvwList, &QAction::triggered, this, &Frmmain::DelTvwList_Click);
    connect(ChangeTvwLink, &QAction::triggered, this, &Frmmain::ChangeTvwLink_Click);
    connect(ResetTvwList, &QAction::triggered, this, &Frmmain::ResetTvwList_Click);
    connect(CheckLinks, &QAction::triggered, this, &Frmmain::CheckLinks_Click);
    connect(HideDeadLinks, &QAction::triggered, this, &Frmmain::applyLinkMarks);
    connect(ReLoadWeb, &QAction::triggered, this, &Frmmain::ReLoadWeb_Click);
    connect(GanGao, &QAction::triggered, this, &Frmmain::GanGao_Click);
    connect(WebTop, &QAction::triggered, this, &Frmmain::WebTop_Click);
    connect(WebButton, &QAction::triggered, this, &Frmmain::WebButton_Click);
    connect(Webcopy, &QAction::triggered, this, &Frmmain::Webcopy_Click);
    connect(WebCut, &QAction::triggered, this, &Frmmain::WebCut_Click);
    connect(WebPaste, &QAction::triggered, this, &Frmmain::WebPaste_Click);
    connect(Reshua, &QAction::triggered, this, &Frmmain::Reshua_Click);
    connect(WebAll, &QAction::triggered, this, &Frmmain::WebAll_Click);
    connect(Websearch, &QAction::triggered, this, &Frmmain::Websearch_Click);
    connect(AboutMe, &QAction::triggered, this, &Frmmain::AboutMe_Click);
    setUpCommands();
}

bool Frmmain::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == tvw) {
        if (type == QEvent::FocusIn)
            tvw_GotFocus();
        else if (type == QEvent::FocusOut)
            tvw_LostFocus();
    } else if (watched == tvw->viewport()) {
        if (type == QEvent::MouseButtonRelease)
            tvw_MouseUp(static_cast<QMouseEvent*>(event)->button());
        // A double-click on the tree's blank space (beside or below the nodes) opens nothing,
        // whatever node is selected: the tree would take it for one on a node.
        if (type == QEvent::MouseButtonDblClick) {
            const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
            const QTreeWidgetItem* node = tvw->itemAt(at);
            if (!node || !tvw->visualItemRect(node).contains(at))
                return true;
        }
    } else if (watched == CmbSearch) {
        if (type == QEvent::FocusIn)
            CmbSearch_GotFocus();
        else if (type == QEvent::FocusOut)
            CmbSearch_LostFocus();
    } else if (watched == Cmb) {
        if (type == QEvent::KeyPress) {
            Cmb_KeyDown(keyCodeOf(static_cast<QKeyEvent*>(event)));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// ---- Layout -----------------------------------------------------------------------------

int Frmmain::ScaleWidth() const {
    return pixelsToTwips(width());
}

int Frmmain::ScaleHeight() const {
    return pixelsToTwips(height());
}

int Frmmain::WindowWidth() const {
    return pixelsToTwips(frameGeometry().width());
}

void Frmmain::place(QWidget* widget, const ControlBox& box) {
    widget->setGeometry(twipsToPixels(box.Left), twipsToPixels(box.Top), twipsToPixels(box.Width),
                        twipsToPixels(box.Height));
    widget->setVisible(box.Visible);
}

void Frmmain::alignBars() {
    // The toolbar follows the top edge and the status bar the bottom edge at full width.
    Toolbar->setGeometry(0, 0, width(), twipsToPixels(kToolbarHeight));
    const int statusHeight = twipsToPixels(kStatusHeight);
    Stat->setGeometry(0, height() - statusHeight, width(), statusHeight);
}

void Frmmain::applyLayout() {
    alignBars();
    place(CmbType, layout.CmbType);
    place(CmbSearch, layout.CmbSearch);
    place(Cmd, layout.Cmd);
    // The buttons keep clear of the search bar: those that no longer fit before it move into
    // the toolbar's extension menu instead of lying hidden under it.
    Toolbar->setContentsMargins(0, 0, std::max(0, width() - CmbType->x()), 0);
    place(Web->widget(), layout.Web);
    place(lab, layout.lab);
    place(tvw, layout.tvw);
    place(Pop, layout.Pop);
    place(Piclose, layout.Piclose);
    place(PicPro, layout.PicPro);
    Piclose->raise();
    PicPro->raise();
}

void Frmmain::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void Frmmain::Form_Resize() {
    resizeLayout(layout, ScaleWidth(), ScaleHeight(), WindowWidth());
    applyLayout();
}

void Frmmain::HideList_Click() {
    toggleRightPanel(layout, ScaleWidth(), ScaleHeight());
    applyLayout();
}

void Frmmain::Piclose_Click() {
    closePopPane(layout, ScaleHeight());
    applyLayout();
    tvw->setFocus();
}

void Frmmain::GanGao_Click() {
    Form_Resize();
}

void Frmmain::lab_MouseMove(Qt::MouseButtons buttons, int x) {
    if (buttons != Qt::LeftButton)
        return;
    dragSplitter(layout, x);
    lab->setBackColor(Qt::black);
    place(lab, layout.lab);
}

void Frmmain::lab_MouseUp() {
    dropSplitter(layout, ScaleWidth());
    lab->setBackColor(palette().color(QPalette::Button));
    applyLayout();
    Cmb->setFocus();
}

// ---- Life cycle -------------------------------------------------------------------------

void Frmmain::Form_Load() {
    Web->setSilent(true);
    FocusReady = false;
    // A record only: the desktop's saver stays away while a main window is on screen, which the
    // inhibitor set up in main() sees for itself.
    ctx.registry.SetRegistryString(HKEY_CURRENT_USER, kDesktopKey, "ScreenSaveActive", "0");
    WebPop->setSilent(true);
    WebPop->navigate(ctx.sites.url(kVendorService, "/pop/right.html"));
    LoadChannels();
    ++ctx.state.MainWindowCount;
    const FirstUseValues firstUse{defaultRadioPage(ctx.sites), ctx.programFolder + "/Korvid"};
    UseCount = IncrementUseCount(ctx.settings, ctx.registry, firstUse, "Cinema");
}

void Frmmain::setVisible(bool visible) {
    // WORKAROUND: the first browser view in a hidden window makes Qt build the native window
    // anew for its own kind of surface, and the new one forgets the window state (Qt 6.4):
    // the window would come up at its design size instead of maximised.
    if (visible && !isVisible()) {
        if (QWindow* native = windowHandle()) {
            const Qt::WindowStates wanted = windowState() & ~Qt::WindowActive;
            if (native->windowStates() != wanted)
                native->setWindowStates(wanted);
        }
    }
    QWidget::setVisible(visible);
}

void Frmmain::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange)
        return;
    // An activation is the window taking over from another window of the program (or being
    // shown by it). Coming back from another application to the window that was active when
    // the user left is none: the focus stays where the user left it.
    QPointer<Frmmain>& last = ctx.state.LastActiveWindow;
    if (isActiveWindow()) {
        const bool fromElsewhereInTheProgram = last != this;
        last = this;
        if (fromElsewhereInTheProgram)
            Form_Activate();
    } else if (last == this && QApplication::activeWindow()) {
        // Another window of the program took over (a dialog, another main window).
        last = nullptr;
    }
}

void Frmmain::Form_Activate() {
    if (FocusReady) {
        ctx.state.MouseHookPaused = false;
        // The pending window messages run as soon as this handler returns. Running them from
        // here, inside Qt's own round of activation events, lets a window that closed in the
        // meantime be deleted while that round still holds it.
        focusCmbUnlessTyping();
    }
    MinuteCount = 0;
    ctx.state.ActiveMainWindow = this;
}

void Frmmain::closeEvent(QCloseEvent* event) {
    // The close is never cancelled.
    if (!unloading_) {
        unloading_ = true;
        Form_QueryUnload();
        emit unloaded();
    }
    // Closed is gone for the tray, also while the window waits to be deleted (event()): its
    // next click makes the default window anew.
    if (ctx.state.DefaultMainWindow == this)
        ctx.state.DefaultMainWindow = nullptr;
    endDialogs();
    event->accept();
}

void Frmmain::endDialogs() {
    // The innermost first: a file dialog's question before the file dialog, that before the
    // dialog that opened it. Hiding a dialog ends the loop it runs in, answered as cancelled.
    const QList<QDialog*> dialogs = findChildren<QDialog*>();
    for (auto dialog = dialogs.crbegin(); dialog != dialogs.crend(); ++dialog) {
        if ((*dialog)->isVisible())
            (*dialog)->hide();
    }
}

bool Frmmain::event(QEvent* event) {
    // The window closes from inside a loop of one of its dialogs when the session ends, a
    // quit signal comes or the tray's Exit is chosen while a question or a file dialog is
    // open. The code that runs that dialog still holds the dialog and this window: they go
    // once every such loop has ended (endDialogs has ended this window's own).
    if (event->type() == QEvent::DeferredDelete && QThread::currentThread()->loopLevel() > 1) {
        QTimer::singleShot(kDeletionRetry, this, &QObject::deleteLater);
        return true;
    }
    return QWidget::event(event);
}

void Frmmain::Form_QueryUnload() {
    stopLinkCheck();
    PortalState& state = ctx.state;
    state.MouseHookPaused = true;
    ctx.registry.SetRegistryString(HKEY_CURRENT_USER, kDesktopKey, "ScreenSaveActive", "1");
    const QString shown = Web->locationUrl();
    ctx.settings.write(kCinemaApp, "web", "webURL", shown);
    const std::int32_t before = state.MainWindowCount;
    --state.MainWindowCount;
    if (before == 1) {
        SaveHistoryFile();
        state.PumpStopRequested = true;
    }
    state.MainWindowClosed =
        !state.ActiveMainWindow.isNull() && state.ActiveMainWindow == state.DefaultMainWindow;
    state.LastMainUrl = shown;
    if (tvw->topLevelItemCount() > 0 && tvw->topLevelItem(0)->text(0) == kRadioRootCaption)
        ctx.settings.write(kCinemaApp, "unload", "PingDao", state.LastMainUrl);
    if (before == 1 && state.LastMainWindowClosed)
        state.LastMainWindowClosed();
}

// ---- Timers and focus -------------------------------------------------------------------

void Frmmain::Timer1_Timer() {
    ++MinuteCount;
    if (MinuteCount > 30 && ctx.state.ActiveMainWindow == this) {
        MinuteCount = 0;
        WebPop->refresh();
    }
}

void Frmmain::Timer2_Timer() {
    ++ProgressStep;
    if (ProgressStep > 6) {
        Timer2->stop();
        ProgressStep = 0;
        layout.PicPro.Width = 0;
    } else {
        layout.PicPro.Width = ProgressStep * 500;
    }
    place(PicPro, layout.PicPro);
}

void Frmmain::TimerSetFocus_Timer() {
    TimerSetFocus->stop();
    FocusReady = true;
    ctx.state.MouseHookPaused = false;
    if (QApplication::activeWindow() == this && focusCmbUnlessTyping())
        QCoreApplication::processEvents();
}

namespace {

// A control that takes typed text: the arrow keys move in it, and taking its focus cuts the
// user off mid-word.
bool takesTyping(const QWidget* widget) {
    if (const auto* box = qobject_cast<const QComboBox*>(widget))
        return box->isEditable();
    return qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QTextEdit*>(widget) ||
           qobject_cast<const QPlainTextEdit*>(widget) ||
           qobject_cast<const QAbstractSpinBox*>(widget);
}

} // namespace

bool Frmmain::focusCmbUnlessTyping() {
    // The widget that has the focus, or gets it back when the window becomes active.
    QWidget* focus = focusWidget();
    if (focus == Cmb)
        return false;
    if (focus && takesTyping(focus))
        return false;
    QWidget* page = Web->widget();
    if (focus && (focus == page || page->isAncestorOf(focus))) {
        // Only the page knows whether one of its fields has the caret; its answer comes a
        // moment later, by when the user may have moved on.
        QPointer<Frmmain> self(this);
        Web->askTypingInPage([self, page](bool typing) {
            if (!self || typing || !self->isActiveWindow())
                return;
            QWidget* now = self->focusWidget();
            if (now && (now == page || page->isAncestorOf(now)) && !takesTyping(now))
                self->Cmb->setFocus();
        });
        return false;
    }
    Cmb->setFocus();
    return true;
}

void Frmmain::tvw_GotFocus() {
    ctx.state.MouseHookPaused = true;
}

void Frmmain::tvw_LostFocus() {
    ctx.state.MouseHookPaused = false;
}

} // namespace lumera::portal
