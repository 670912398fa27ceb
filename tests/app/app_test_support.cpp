#include "tests/app/app_test_support.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>

#include "app/frm_convert.h"
#include "app/user_settings.h"
#include "platform/ado/recordset.h"
#include "tests/support/test_files.h"

namespace orlix::app::test {

namespace {

QApplication& application() {
  static int argc = 1;
  static char name[] = "app_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    // The system's print server out of reach, so that "no printer" holds on
    // any machine; a test with a print queue of its own names its server.
    const QByteArray server = qgetenv("ORLIX_TEST_CUPS_SERVER");
    qputenv("CUPS_SERVER",
            server.isEmpty() ? QDir::current().absoluteFilePath(QStringLiteral("no-print-server.sock")).toLocal8Bit()
                             : server);
    auto* created = new QApplication(argc, argv);
    // The tests' user settings live in their private working folder.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QDir::currentPath());
    QApplication::setApplicationDisplayName(QStringLiteral("Wendmoor Decision Trees"));
    return created;
  }();
  return *app;
}

// The watchers alive now, oldest first.
std::vector<const ModalWatcher*>& liveWatchers() {
  static std::vector<const ModalWatcher*> live;
  return live;
}

}  // namespace

QString samplePath(const QString& relative) {
  return QString::fromStdString(orlix::test::sampleFile(relative.toStdString()));
}

std::shared_ptr<ado::Recordset> memoryRecordset(const QStringList& fields, const std::vector<QStringList>& rows) {
  auto rs = std::make_shared<ado::Recordset>();
  for (const QString& field : fields) {
    const bool number = field.endsWith(QLatin1Char('#'));
    rs->Fields().Append((number ? field.chopped(1) : field).toStdString(), number ? ado::adDouble : ado::adBSTR, 24);
  }
  rs->Open();
  for (const QStringList& row : rows) {
    rs->AddNew();
    for (int c = 0; c < row.size(); ++c) {
      if (row[c].isEmpty()) continue;
      if (fields[c].endsWith(QLatin1Char('#')))
        rs->Fields().Item(long{c}).SetValue(com::Variant(row[c].toDouble()));
      else
        rs->Fields().Item(long{c}).SetValue(com::Variant(row[c].toStdString()));
    }
    rs->Update();
  }
  rs->MoveFirst();
  return rs;
}

ModalWatcher::ModalWatcher(std::function<void(QDialog*)> onDialog, Boxes boxes)
    : onDialog_(std::move(onDialog)), boxes_(boxes) {
  liveWatchers().push_back(this);
  QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
  timer_.start(20);
}

ModalWatcher::~ModalWatcher() { std::erase(liveWatchers(), this); }

bool ModalWatcher::answers(QWidget* modal) const {
  const auto& live = liveWatchers();
  if (qobject_cast<QMessageBox*>(modal)) {
    for (auto it = live.rbegin(); it != live.rend(); ++it)
      if ((*it)->boxes_ == RecordMessages) return *it == this;
  }
  return live.back() == this;
}

void ModalWatcher::poll() {
  QWidget* modal = QApplication::activeModalWidget();
  if (!modal || !modal->isVisible() || modal->objectName() == QLatin1String("frmBusy")) return;
  if (!answers(modal)) return;
  if (inProgress_.contains(modal)) return;
  inProgress_.append(modal);
  // Answered from a fresh call, so that the modal windows the answer opens
  // are seen by this timer too.
  QTimer::singleShot(0, &timer_, [this, target = QPointer<QWidget>(modal)] {
    if (target) answer(target);
    inProgress_.removeAll(target);
    inProgress_.removeAll(nullptr);
  });
}

void ModalWatcher::answer(QWidget* modal) {
  if (auto* box = qobject_cast<QMessageBox*>(modal)) {
    messages_.push_back({box->windowTitle(), box->text()});
    if (QAbstractButton* button = box->defaultButton())
      button->click();
    else
      box->reject();
    return;
  }
  auto* dialog = qobject_cast<QDialog*>(modal);
  if (!dialog) return;
  if (onDialog_)
    onDialog_(dialog);
  else
    dialog->reject();
}

QString ModalWatcher::allText() const {
  QString text;
  for (const Message& m : messages_) text += m.title + QStringLiteral(": ") + m.text + QLatin1Char('\n');
  return text;
}

AppTest::AppTest() {
  application();
  QDir().mkpath(programFolder());
  setShowTipsAtStartup(0);  // tests that want the tip window turn it on
}

void AppTest::TearDown() { main_.reset(); }

QString AppTest::programFolder() const { return QDir::current().filePath(QStringLiteral("program")); }

MdiMain& AppTest::mainWindow() {
  if (!main_) {
    main_ = std::make_unique<MdiMain>(ProgramFiles(programFolder()));
    main_->show();
    QApplication::processEvents();
  }
  return *main_;
}

void AppTest::fileNew(const std::function<void(FrmConvert*)>& fill) {
  ModalWatcher watcher([&fill](QDialog* dialog) {
    auto* convert = qobject_cast<FrmConvert*>(dialog);
    ASSERT_NE(convert, nullptr) << "unexpected dialog " << dialog->objectName().toStdString();
    fill(convert);
    if (convert->isVisible()) convert->reject();  // a refused OK must not leave the test waiting
  }, ModalWatcher::LeaveMessages);
  mainWindow().fileNew();
}

}  // namespace orlix::app::test
