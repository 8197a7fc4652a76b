#pragma once

// Step control of the log-normal integration, in single precision on purpose: it
// decides which particle sizes are visited.
namespace StepControl {

struct Range {
    float LowV;   // [um] three geometric standard deviations below the median
    float HighV;  // [um] three above
    float DpStep; // [um] (HighV - LowV) / NumStepsLN
};

Range LogNormalRange(float MDp, float DpSD);

// Number of sizes the component at Row integrates over: all 50 for the inlet row,
// otherwise the sizes up to the largest one the previously evaluated component
// still transmitted (round half to even). A step that is zero or not finite gives
// 0 for rows after the first; absurd quotients are bounded so the count stays a
// valid int.
int StepCount(int Row, float NewHighV, float LowV, float DpStep);

} // namespace StepControl
