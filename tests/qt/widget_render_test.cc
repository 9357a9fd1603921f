// What the offscreen widget draws: the red "Not connected" label at its
// centre while the link is down, the tree with its check-box icons once
// profiles have arrived.

#include <QImage>
#include <QLabel>
#include <QTest>
#include <QTreeWidget>

#include "qt/active_profiles_widget.h"
#include "qt/check_box_icons.h"
#include "qt/qt_timer.h"
#include "test_peer.h"

using quindo::ActiveProfilesWidget;
using namespace quindo::testing;

namespace {

bool IsRed(QRgb c) { return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60; }
bool IsTickGreen(QRgb c) { return qGreen(c) > 110 && qRed(c) < 110 && qBlue(c) < 110; }
bool IsFrameBlue(QRgb c) { return qBlue(c) > 100 && qRed(c) < 70 && qGreen(c) < 120; }

int Count(const QImage& image, const QRect& area, bool (*match)(QRgb)) {
  int count = 0;
  const QRect clipped = area.intersected(image.rect());
  for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
    for (int x = clipped.left(); x <= clipped.right(); ++x) count += match(image.pixel(x, y)) ? 1 : 0;
  }
  return count;
}

}  // namespace

class WidgetRenderTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void iconsAreTickedAndEmptyBoxes() {
    const QImage ticked = quindo::CheckBoxPixmap(quindo::kIconEnabled, 13).toImage();
    const QImage empty = quindo::CheckBoxPixmap(quindo::kIconDisabled, 13).toImage();
    QCOMPARE(ticked.size(), QSize(13, 13));
    QVERIFY(Count(ticked, ticked.rect(), IsTickGreen) > 5);
    QCOMPARE(Count(empty, empty.rect(), IsTickGreen), 0);
    QVERIFY(Count(empty, empty.rect(), IsFrameBlue) >= 4 * 12);
    QVERIFY(!quindo::CheckBoxPixmap(4, 13).isNull());
    QVERIFY(quindo::CheckBoxPixmap(5, 13).isNull());
  }

  void disconnectedShowsTheRedLabelAtTheCentre() {
    ActiveProfilesWidget widget(std::string(""));
    widget.resize(400, 300);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    const QImage image = widget.grab().toImage();
    QVERIFY(Count(image, QRect(200 - 130, 150 - 20, 260, 40), IsRed) > 30);
    QCOMPARE(Count(image, QRect(0, 0, 400, 100), IsRed), 0);
  }

  void connectedShowsTheTreeWithItsIcons() {
    TestPeer peer;
    ActiveProfilesWidget widget(peer.CommandLine());
    widget.Timer_Reconnect().SetTickPeriod(20);
    widget.resize(400, 300);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    QTRY_COMPARE(peer.Connections(), 1);
    peer.Send(Greeting(8) + ProfileFrame(1, "Night shift", true) + ProfileFrame(2, "Weekend", false));
    QTreeWidget* tree = widget.TreeView_Profiles();
    QTRY_COMPARE(tree->topLevelItemCount(), 2);

    const QImage image = widget.grab().toImage();
    QCOMPARE(Count(image, image.rect(), IsRed), 0);
    auto icon_area = [&](int row) {
      const QRect item = tree->visualItemRect(tree->topLevelItem(row));
      return QRect(tree->viewport()->mapTo(&widget, item.topLeft()), QSize(30, item.height()));
    };
    QVERIFY(Count(image, icon_area(0), IsTickGreen) > 5);
    QCOMPARE(Count(image, icon_area(1), IsTickGreen), 0);
    QVERIFY(Count(image, icon_area(1), IsFrameBlue) > 20);
  }
};

QTEST_MAIN(WidgetRenderTest)
#include "widget_render_test.moc"
