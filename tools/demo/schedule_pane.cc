#include "tools/demo/schedule_pane.h"

#include <QLabel>
#include <QVBoxLayout>

#include "model/profile/profile.h"
#include "model/profile/sample_profiles.h"
#include "qt/time_schedule_view.h"

namespace quindo {

namespace {

// More than the simulator serves in the demo, so every node has its schedule.
constexpr int kSampleProfiles = 64;

}  // namespace

SchedulePane::SchedulePane(QWidget* parent) : QWidget(parent) {
  for (auto& profile : MakeSampleProfiles(kSampleProfiles)) {
    const QString name = QString::fromStdString(profile->GetName());
    profiles_.emplace(name, std::move(profile));
  }
  title_ = new QLabel(this);
  title_->setObjectName(QStringLiteral("chartTitle"));
  edited_ = new QLabel(this);
  view_ = new TimeScheduleView(this);
  view_->setFixedSize(view_->minimumSize());
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(title_);
  layout->addWidget(view_);
  layout->addWidget(edited_);
  layout->addStretch();
  connect(view_, &TimeScheduleView::scheduleChanged, this,
          [this] { edited_->setText(QStringLiteral("Changed here only; the server keeps its schedule.")); });
  if (!profiles_.empty()) ShowProfile(QString::fromStdString(MakeSampleProfiles(1).front()->GetName()));
}

SchedulePane::~SchedulePane() = default;

void SchedulePane::ShowProfile(const QString& name) {
  if (name == shown_) return;
  const auto found = profiles_.find(name);
  if (found == profiles_.end()) return;
  shown_ = name;
  removed_ = false;
  title_->setText(QStringLiteral("Week chart of %1 (sample schedule)").arg(name));
  edited_->clear();
  view_->SetSchedule(found->second->m_TimeSchedule);
}

void SchedulePane::SetRemoved(bool removed) {
  if (removed == removed_ || shown_.isEmpty()) return;
  removed_ = removed;
  title_->setText(QStringLiteral("Week chart of %1 (%2)")
                      .arg(shown_, removed ? QStringLiteral("removed") : QStringLiteral("sample schedule")));
}

}  // namespace quindo
