#pragma once

namespace brv3 {

// True when the command line asks for a render instead of the editor.
bool IsRenderCommand(int argc, char** argv);
// `brivane3 --render --robot FILE.urdf CHART.QVB [--step N | --time SECONDS]
// [--view front|side|top] [--size WxH] -o OUT.png`: the robot in the pose of a step of the
// chart's motion (or of its preview at a time) drawn into a PNG file with no window shown. Exit
// 0 when written, 2 for unusable input (nothing written), 1 when drawing or writing failed.
int RunRenderCommand(int argc, char** argv);

}  // namespace brv3
