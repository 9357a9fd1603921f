// The Designer form of host_form.ui (the profile control with its server set
// in the form, the week chart and the month calendar side by side), as a host
// builds it, loading no language file. Prints each widget's width beside its
// size hints, at the smallest size the form allows and at its size hint, the
// control's server and the month view's weekday headers; exits 1 when a
// widget is narrower than its minimum size hint, or than its size hint when
// the form has room, or when a text is not the built-in English one.

#include <iostream>
#include <string>

#include <QApplication>
#include <QComboBox>
#include <QLayout>

#include <quindo/model/calendar/calendar.h>
#include <quindo/model/calendar/calendar_locale.h>
#include <quindo/model/paint/recording_surface.h>
#include <quindo/qt/calendar_host_by_name.h>

#include "ui_host_form.h"

namespace {

bool ok = true;

void Expect(bool condition, const std::string& what) {
  if (!condition) {
    std::cout << "FAIL: " << what << '\n';
    ok = false;
  }
}

// Lays the form out at `size` and checks every widget's width against the
// hint it must get there.
void CheckWidths(QWidget& form, QSize size, bool room_for_hints) {
  form.resize(size);
  form.layout()->activate();
  QApplication::processEvents();
  for (QWidget* widget : form.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    const std::string name = widget->objectName().toStdString();
    const int minimum = widget->minimumSizeHint().width();
    const int hint = widget->sizeHint().width();
    std::cout << name << " width " << widget->width() << " minimum " << minimum << " hint " << hint
              << (room_for_hints ? " (form at its size hint)" : " (form at its smallest)") << '\n';
    Expect(minimum > 0, name + " has no minimum width");
    Expect(widget->width() >= minimum, name + " is narrower than its minimum size hint");
    if (room_for_hints) Expect(widget->width() >= hint, name + " is narrower than its size hint");
  }
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget form;
  Ui::HostForm ui;
  ui.setupUi(&form);
  form.show();

  CheckWidths(form, form.minimumSizeHint(), false);
  CheckWidths(form, form.sizeHint(), true);

  std::cout << "server " << ui.activeProfiles->serverAddress().toStdString() << ':'
            << ui.activeProfiles->serverPort() << '\n';
  Expect(ui.activeProfiles->serverAddress() == QLatin1String("127.0.0.1") &&
             ui.activeProfiles->serverPort() == 58658,
         "the form's server did not reach the control");

  // The month as the view paints it: the first seven texts are the headers.
  quindo::RecordingSurface surface;
  quindo::CalendarHostByName host(ui.monthCalendar);
  ui.monthCalendar->Calendar()->Paint(host, &surface, quindo::CalendarLocale::Iso8601());
  std::string headers;
  const auto texts = surface.OpsOf(quindo::PaintOp::Kind::kText);
  for (size_t i = 0; i < 7 && i < texts.size(); ++i) headers += (i ? " " : "") + texts[i].text;
  std::cout << "headers " << headers << '\n';
  Expect(headers == "Mon Tue Wed Thu Fri Sat Sun", "the month's headers are not the English ones");
  const QString own_weekday = ui.monthCalendar->DayTypeList()->itemText(0);
  std::cout << "day types " << own_weekday.toStdString() << ", ...\n";
  Expect(own_weekday == QLatin1String("Weekday of the date"), "the day-type list is not in English");
  return ok ? 0 : 1;
}
