// Recording fakes of the editor's platform for the native tests: surfaces
// that keep a grid of pixels and log their drawing calls in order, and a
// platform that logs its requests into the same list.
#pragma once

#include "model/editor_platform.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace risovik::testing {

std::string Describe(desk::Colour c);
std::string Describe(const PenSpec& pen);

class FakeSurface : public DrawingSurface {
  public:
    // A surface with a width x height picture filled with `fill`; 0 x 0 for
    // a surface without pixels (the recording). Calls are logged into `log`
    // as "<name> <call>".
    FakeSurface(std::string name, std::vector<std::string>& log, int width = 0, int height = 0,
                desk::Colour fill = 0);

    void rectangle(const desk::Rect& corners, const PenSpec& pen, desk::Colour brush) override;
    void ellipse(const desk::Rect& corners, const PenSpec& pen, desk::Colour brush) override;
    void line(desk::Point from, desk::Point to, const PenSpec& pen) override;
    void setTextColour(desk::Colour colour) override;
    void setBackgroundMode(int mode) override;
    void textOut(int x, int y, const char16_t* text, int count) override;
    // Pixel reads and writes are counted, not logged.
    desk::Colour pixel(int x, int y) override;
    void setPixel(int x, int y, desk::Colour colour) override;

    int width() const { return width_; }
    int height() const { return height_; }
    // The stored colour; kNoPixel outside.
    desk::Colour at(int x, int y) const;
    void put(int x, int y, desk::Colour colour);
    long reads = 0;
    long writes = 0;
    // Writes that fell outside the picture, or wrote kNoPixel.
    long badWrites = 0;

  private:
    std::string name_;
    std::vector<std::string>& log_;
    int width_;
    int height_;
    std::vector<desk::Colour> pixels_;
};

class FakePlatform : public EditorPlatform {
  public:
    // The canvas starts as a canvasWidth x canvasHeight picture of `fill`.
    explicit FakePlatform(int canvasWidth = 450, int canvasHeight = 400, desk::Colour fill = 0);

    DrawingSurface& canvasSurface() override { return *canvas; }
    DrawingSurface& recording() override { return *recordingSurface; }
    int readTextField(char16_t* buffer) override;
    void playLoadedRecording() override;
    void setButtonPushed(Button button, bool pushed) override;
    void invalidateAll(bool erase) override;
    DrawingSurface& makeNewPicture(int width, int height) override;
    void adoptNewPicture() override;

    std::vector<std::string> log;
    std::unique_ptr<FakeSurface> canvas;
    std::unique_ptr<FakeSurface> recordingSurface;
    std::unique_ptr<FakeSurface> pending;
    // The canvas that the last adoptNewPicture replaced.
    std::unique_ptr<FakeSurface> previous;
    // What the text field holds, one character a byte (Latin-1);
    // readTextField behaves as EM_GETLINE.
    std::string textField;
    // When set, readTextField reports this count whatever it copied (a
    // misbehaving control).
    int forcedTextCount = -1;
    // The first word of the buffer seen by the last readTextField.
    int capacitySeen = -1;
    // The look each button was last given; absent: never set.
    std::map<Button, bool> pushed;
};

} // namespace risovik::testing
