#pragma once

/// Makes the viewport width x height pixels with a y-up projection of one unit per pixel, origin
/// at the lower-left corner, and an identity model-view matrix: how the window and every
/// screen-sized target are drawn into.
void SetPixelProjection(int width, int height);

/// Untextured rectangles in whatever projection the caller has set up (y up).
/// Colour components and alpha run from 0 to 255. Each leaves GL_TEXTURE_2D enabled and the
/// current colour white, which is what textured drawing after it expects.

/// A filled rectangle with its lower-left corner at (x, y).
void DrawFilledRect(float x, float y, float w, float h, float r, float g, float b, float a);

/// Many filled rectangles as one draw, for the same pixels as one DrawFilledRect each in turn:
/// BeginFilledRects, then FilledRect for each, then EndFilledRects. Drawing them one by one would
/// switch texturing off and on around every rectangle, which costs the driver far more than their
/// pixels do.
void BeginFilledRects();
void FilledRect(float x, float y, float w, float h, float r, float g, float b, float a);
void EndFilledRects();

/// The outline (one line loop through the four corners) of the same rectangle.
void DrawRectOutline(float x, float y, float w, float h, float r, float g, float b, float a);

/// A filled rectangle shaded from (r1, g1, b1) along its bottom edge (y) to (r2, g2, b2) along its
/// top edge (y + h), with one alpha.
void DrawGradientRect(float x, float y, float w, float h, float r1, float g1, float b1, float r2, float g2,
                      float b2, float a);

/// A filled disc: one triangle fan through `segments` points at the angles 2 pi i / segments
/// around (cx, cy) at the radius. Fewer than three points draw nothing.
void DrawFilledCircle(float cx, float cy, float radius, int segments, float r, float g, float b, float a);
