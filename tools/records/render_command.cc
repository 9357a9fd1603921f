// profile render: a profile's week chart as a PNG, drawn by the view's own
// painting code onto an image, without a display.

#include "arguments.h"
#include "command.h"
#include "messages.h"
#include "model/profile/profile.h"
#include "model/profile/profile_naming.h"
#include "model/schedule/time_schedule.h"
#include "png_file.h"
#include "qt/day_type_names.h"
#include "qt/schedule_image.h"
#include "stored_records.h"

namespace quindo::records {
namespace {

int ProfileRender(const Invocation& in) {
  const int16_t identity = IdentityArgument(in.operands[0]);
  if (in.Value("--png") == nullptr) throw UsageError("missing --png FILE");
  const RenderingApplication application;
  cProfile profile;
  LoadStoredRecord("profile", ProfilesDirectory(), profile, identity);
  FillDayTypeNamesFromLanguage();
  ScheduleImageRenderer renderer(in.Has("--view-day-types"));
  WritePng(renderer.Render(*profile.m_TimeSchedule), *in.Value("--png"));
  return kExitDone;
}

}  // namespace

Command ProfileRenderCommand() {
  return {"profile render", "ID --png FILE|- [--view-day-types] [--read-only]",
          R"(Draws the week chart of profile file ID into a PNG file as the schedule
view shows it: 320 x (25 x rows + 4) pixels, labels and images of the
special day types included; --view-day-types also prints the day-type
names over the rows. Needs no display. FILE is saved as record files
are: a failure (status 1) leaves an earlier FILE as it was; - writes the
PNG to standard output. Says FILE WIDTHxHEIGHT on standard error.
)",
          {"--png", "--view-day-types", "--read-only"}, 1, 1, ProfileRender};
}

}  // namespace quindo::records
