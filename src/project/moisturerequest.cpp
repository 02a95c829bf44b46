#include "project/moisturerequest.h"

#include <algorithm>
#include <cmath>

#include "calc/errors.h"

namespace veltor {

MoistureRequest MoistureRequestOf(const MoistureSettings& settings, const DesignConditions& conditions) {
  MoistureRequest request;
  if (settings.climate == MoistureSettings::Climate::Default) return request;
  const MonthlyClimate climate{settings.te, settings.phiE};
  request.input = MoistureInput::FromDesignConditions(conditions, climate);
  if (settings.humidityClass > 0) {
    request.input.indoor.mode = IndoorHumidity::HumidityClass;
    request.input.indoor.humidityClass = settings.humidityClass;
  }
  request.typed = settings.climate == MoistureSettings::Climate::Typed;
  if (request.typed) {
    const auto empty = [](double v) { return std::isnan(v); };
    // A table never typed into is no choice yet, not a wrong one.
    if (std::all_of(climate.te.begin(), climate.te.end(), empty) &&
        std::all_of(climate.phiE.begin(), climate.phiE.end(), empty))
      return request;
    for (int m = 0; m < kMonthCount; ++m) {
      if (empty(climate.te[m]) || empty(climate.phiE[m])) {
        request.state = MoistureRequest::State::Refused;
        request.refusal = QStringLiteral("%1: brak wartości").arg(MonthName(m));
        return request;
      }
    }
  }
  try {
    ValidateClimate(climate);
  } catch (const Error& e) {
    request.state = MoistureRequest::State::Refused;
    request.refusal = e.message();
    return request;
  }
  request.state = MoistureRequest::State::Ready;
  return request;
}

}  // namespace veltor
