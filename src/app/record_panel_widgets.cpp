#include "app/record_panel_widgets.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>
#include <QStyle>
#include <QStyledItemDelegate>

#include "app/canvas_widget.h"
#include "app/window_font.h"

namespace qz::app {

namespace {
const QString kParent = QStringLiteral("..");
const QString kPattern = QStringLiteral("*.棋譜");
constexpr int kPathRole = Qt::UserRole;
constexpr int kDepthRole = Qt::UserRole + 1;

// Draws each folder of the list a step further in than its parent.
class FolderIndent : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem indented(option);
    indented.rect.setLeft(option.rect.left() +
                          index.data(kDepthRole).toInt() * option.fontMetrics.height() * 2 / 3);
    QStyledItemDelegate::paint(painter, indented, index);
  }
};
}  // namespace

RecordPanelWidgets::RecordPanelWidgets(CanvasWidget* canvas, const std::string& startDir)
    : QObject(canvas), canvas_(canvas) {
  drive_ = new QComboBox(canvas);
  dirs_ = new QListWidget(canvas);
  files_ = new QListWidget(canvas);
  dirs_->setItemDelegate(new FolderIndent(dirs_));
  place(drive_, {240, 360, 2535, 300});
  place(dirs_, {240, 600, 2535, 1710});
  place(files_, {240, 2280, 2535, 930});

  // Label1(0..3) and the text boxes they caption (1 file name, 2 game name,
  // 3 先手, 4 後手).
  const char* captions[4] = {"ﾌｧｲﾙ名 ：", "後    手 ：", "先    手 ：", "対 局 名："};
  const int labelTops[4] = {3120, 2880, 2640, 2400};
  for (int i = 0; i < 4; ++i) {
    labels_[i] = new QLabel(QString::fromUtf8(captions[i]), canvas);
    labels_[i]->setAutoFillBackground(true);
    place(labels_[i], {120, labelTops[i], 855, 255});
  }
  const int textTops[5] = {0, 3120, 2400, 2640, 2880};
  for (int box = 1; box <= 4; ++box) {
    texts_[box] = new QLineEdit(canvas);
    place(texts_[box], {960, textTops[box], 2295, 270});
  }
  return_ = new QPushButton(QStringLiteral("RETURN"), canvas);
  place(return_, {3360, 3000, 855, 375});

  for (auto& [w, r] : geometry_) {
    w->hide();
    w->installEventFilter(this);
    // A press on a caption is not a press on the board beneath it, which
    // would close the panel and throw away what was typed.
    w->setAttribute(Qt::WA_NoMousePropagation);
  }

  dirPath_ = filePath_ = QDir(QString::fromStdString(startDir)).absolutePath();
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (volume.isValid() && volume.isReady()) drive_->addItem(volume.rootPath());
  }
  if (drive_->findText(QStringLiteral("/")) < 0) drive_->insertItem(0, QStringLiteral("/"));
  // Show the drive the directory list starts on.
  const int current = drive_->findText(QStorageInfo(dirPath_).rootPath());
  if (current >= 0) drive_->setCurrentIndex(current);
  fillDirectories();
  refreshFileList();

  connect(drive_, &QComboBox::textActivated, this, [this](const QString& drive) {
    if (onDriveChosen) onDriveChosen(drive.toStdString());
  });
  connect(dirs_, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) { enterDirectory(item->data(kPathRole).toString()); });
  connect(files_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    if (onFileClicked) onFileClicked(item->text().toStdString());
  });
  connect(return_, &QPushButton::clicked, this, [this] {
    if (onReturn) onReturn();
  });
  // Enter in the file name box saves, as the button does.
  connect(texts_[1], &QLineEdit::returnPressed, this, [this] {
    if (onReturn) onReturn();
  });
  relayout();
}

bool RecordPanelWidgets::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    return true;
  }
  return QObject::eventFilter(watched, event);
}

void RecordPanelWidgets::place(QWidget* w, const QRect& twips) { geometry_.emplace_back(w, twips); }

void RecordPanelWidgets::relayout() {
  const double s = canvas_->displayScale();
  QFont font = WindowFont(9, false);
  font.setPixelSize(std::max(8, static_cast<int>(12 * s)));
  for (auto& [w, r] : geometry_) {
    const QPointF topLeft = canvas_->widgetPointOfTwips(r.x(), r.y());
    const QPointF bottomRight = canvas_->widgetPointOfTwips(r.x() + r.width(), r.y() + r.height());
    w->setGeometry(QRectF(topLeft, bottomRight).toRect());
    w->setFont(font);
  }
}

void RecordPanelWidgets::setListsVisible(bool drive, bool directory, bool file) {
  drive_->setVisible(drive);
  dirs_->setVisible(directory);
  files_->setVisible(file);
  if (directory && dirs_->currentItem() != nullptr) dirs_->scrollToItem(dirs_->currentItem());
}

void RecordPanelWidgets::setIoVisible(bool visible) {
  for (int i = 0; i < 4; ++i) labels_[i]->setVisible(visible);
  for (int box = 1; box <= 4; ++box) texts_[box]->setVisible(visible);
  return_->setVisible(visible);
}

QLineEdit* RecordPanelWidgets::textBox(int box) const {
  return box >= 1 && box <= 4 ? texts_[box] : nullptr;
}

std::string RecordPanelWidgets::text(int box) {
  QLineEdit* t = textBox(box);
  return t == nullptr ? std::string() : t->text().toStdString();
}

void RecordPanelWidgets::setText(int box, std::string_view text) {
  if (QLineEdit* t = textBox(box)) {
    t->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  }
}

std::string RecordPanelWidgets::directoryPath() { return dirPath_.toStdString(); }

bool RecordPanelWidgets::setDirectoryPath(const std::string& path) {
  const QDir dir(QString::fromStdString(path));
  if (path.empty() || !dir.exists() || !dir.isReadable()) return false;
  dirPath_ = dir.absolutePath();
  fillDirectories();
  return true;
}

std::string RecordPanelWidgets::filePath() { return filePath_.toStdString(); }

void RecordPanelWidgets::setFilePath(const std::string& path) {
  filePath_ = QDir(QString::fromStdString(path)).absolutePath();
  refreshFileList();
}

void RecordPanelWidgets::refreshFileList() {
  files_->clear();
  // The lists show only names; the player finds the folder itself here.
  files_->setToolTip(QDir::toNativeSeparators(filePath_));
  const QDir dir(filePath_);
  files_->addItems(dir.entryList({kPattern}, QDir::Files | QDir::Readable, QDir::Name));
}

// As a folder list on a desktop: the path from the root down to the current
// folder, each a step further in, then the current folder's subfolders. The
// current folder is the selected entry, so the player sees where records go.
void RecordPanelWidgets::fillDirectories() {
  dirs_->clear();
  dirs_->setToolTip(QDir::toNativeSeparators(dirPath_));
  QStringList path;  // root first
  for (QDir d(dirPath_);;) {
    path.prepend(d.absolutePath());
    if (d.isRoot() || !d.cdUp()) break;
  }
  auto add = [this](const QString& folder, int depth, QStyle::StandardPixmap icon) {
    const QString name = QFileInfo(folder).fileName();
    auto* item =
        new QListWidgetItem(dirs_->style()->standardIcon(icon),
                            name.isEmpty() ? QDir::toNativeSeparators(folder) : name, dirs_);
    item->setData(kPathRole, folder);
    item->setData(kDepthRole, depth);
    item->setToolTip(QDir::toNativeSeparators(folder));
    return item;
  };
  QListWidgetItem* current = nullptr;
  for (int depth = 0; depth < path.size(); ++depth)
    current = add(path[depth], depth, QStyle::SP_DirOpenIcon);
  const QDir dir(dirPath_);
  for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
    add(dir.absoluteFilePath(name), static_cast<int>(path.size()), QStyle::SP_DirClosedIcon);
  dirs_->setCurrentItem(current);
  dirs_->scrollToItem(current);
}

void RecordPanelWidgets::enterDirectory(const QString& entry) {
  QDir dir(dirPath_);
  if (entry == kParent ? !dir.cdUp() : !dir.cd(entry)) return;
  if (!setDirectoryPath(dir.absolutePath().toStdString())) return;
  if (onDirectoryChanged) onDirectoryChanged();
}

}  // namespace qz::app
