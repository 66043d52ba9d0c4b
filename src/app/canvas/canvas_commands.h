#pragma once
// The canvas's menu commands: "显示网格" (checked while the grid lines are
// on), "播放时显示未接线的灯" (checked while playback shows unwired lamps of a
// wired project), "原视图" and "系统参数" (the grid options dialog). "滚动显示" has no
// handler and stays disabled.

struct AppContext;
class CanvasView;

void registerCanvasCommands(AppContext &ctx, CanvasView &view);
