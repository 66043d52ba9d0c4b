#pragma once
// The "图像" menu's frame and grid transforms.

struct AppContext;

void registerTransformCommands(AppContext &ctx);
