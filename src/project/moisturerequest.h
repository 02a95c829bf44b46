// A partition's saved moisture choices turned into the assessment's input, in
// one place for the model (each partition's verdict), the designer's report
// and the moisture page: the station's months or the typed ones, the design φi
// or a humidity class.
#pragma once

#include <QString>

#include "calc/conditions.h"
#include "calc/moisture.h"
#include "project/extension.h"

namespace veltor {

struct MoistureRequest {
  enum class State {
    NotChosen,  // no climate chosen, or no month typed: nothing to assess
    Refused,    // a month left empty or out of range; `refusal` says which
    Ready
  };
  State state = State::NotChosen;
  MoistureInput input;
  bool typed = false;  // twelve months typed by the user rather than a station's
  QString refusal;
};

MoistureRequest MoistureRequestOf(const MoistureSettings& settings, const DesignConditions& conditions);

}  // namespace veltor
