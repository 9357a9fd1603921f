#include "model/alarm/alarm.h"

#include <cstdio>

#include "common/dates.h"
#include "common/error.h"

namespace quindo {
namespace {

void RequireCondition(int16_t condition_number) {
  if (condition_number < 0 || condition_number >= cAlarm::kConditions) throw Error(kSubscriptOutOfRange);
}

}  // namespace

cAlarm::cAlarm() : m_TimeStampFromPC(Now()) {}

void cAlarm::CopyFromOtherObject(const cAlarm& copy_object) {
  if (&copy_object == this) return;
  m_EventId = copy_object.m_EventId;
  m_TimeStampFromSCADA = copy_object.m_TimeStampFromSCADA;
  m_TimeStampFromPC = copy_object.m_TimeStampFromPC;
  m_Status = copy_object.m_Status;
  m_ParallellReceivers = copy_object.m_ParallellReceivers;
  m_ParallellNumbers = copy_object.m_ParallellNumbers;
  m_System = copy_object.m_System;
  m_SequenceReceivers = copy_object.m_SequenceReceivers;
  m_SequenceNumbers = copy_object.m_SequenceNumbers;
  m_SequenceReceiverConfirm = copy_object.m_SequenceReceiverConfirm;
  m_WaitingForConfirmation = copy_object.m_WaitingForConfirmation;
  m_TimeToContinue = copy_object.m_TimeToContinue;
  m_NextSequenceReceiver = copy_object.m_NextSequenceReceiver;
  for (int16_t i = 0; i < kConditions; ++i) m_Conditions[i] = copy_object.GetCondition(i);
  m_SimulationBehaviour = copy_object.m_SimulationBehaviour;
}

std::string cAlarm::ViewEventIdAsHex() const {
  char digits[9];
  std::snprintf(digits, sizeof digits, "%04X", static_cast<uint32_t>(m_EventId) & 0xFFFFu);
  return digits;
}

void cAlarm::SetCondition(int16_t condition_number, const TypedValue& new_condition) {
  RequireCondition(condition_number);
  m_Conditions[condition_number] = new_condition.ToText();
}

const std::string& cAlarm::GetCondition(int16_t condition_number) const {
  RequireCondition(condition_number);
  return m_Conditions[condition_number];
}

}  // namespace quindo
