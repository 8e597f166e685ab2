// Small counting and measuring records: the countdown counter, the frame-timing trackers shown by
// the debug panel, the name/value list and a few numeric helpers of the framework.
//
// The trackers are a small class family because the fixed-rate timer is one of them: it reuses the
// tracker's Current/maximum pair for "ticks this frame" and "most ticks since reset".
//
// Used by the application object (its timing trackers and debug panel) and the fixed-rate timer.
#pragma once

#include <list>
#include <string>
#include <vector>

// Countdown in logic ticks; advances by the global Delta.
class TCounter {
  public:
    int Active = 0;
    float Counter = 0.0f;
    int CounterLength = 1000;

    static TCounter Create(int ms, int activate);
    void Activate();
    float GetRatio() const;
    int Manage();
    void Stop(int reset);
};

// Counters owned by value; std::list keeps the address AddNew returns valid while others are removed.
class TCounterList {
  public:
    std::list<TCounter> Items;

    TCounter* AddNew(int ms);
    void Manage(int remove);
};

class TTrackingVar {
  public:
    int Current = 0;
    int maximum = 0;
    int displayLimit = 999;
    int displayLimitChars = 3;
    std::string Label;

    virtual ~TTrackingVar() = default;
    virtual void Init();
    virtual void Display(float x, float y);
    virtual std::string GetDisplay() const;
};

// Measures one stretch of code per frame in milliseconds.
class TDebugVar : public TTrackingVar {
  public:
    void Start();
    void Calc();
};

class TFPSCounter : public TTrackingVar {
  public:
    int counter = 0;
    int time = 0;
    int framerate = 0;
    int minimum = 999;

    void Init() override;
    void Display(float x, float y) override;
    std::string GetDisplay() const override;
    void Calc();
};

// Text position for the debug panel: each Output draws a line, NewLine moves down.
class TTextCursor {
  public:
    int x = 0;
    int y = 0;
    int linegap = 20;
    int Shadow = 0;

    void Init(int x, int y, int linegap);
    void NewLine();
    void Output(const std::string& text);
    void OutputNL(const std::string& text);
};

class TValue {
  public:
    std::string name;
    int value = 0;

    static TValue Create(const std::string& name, int value);
    void PrintValue() const;
};

class TValueList {
  public:
    std::vector<TValue> Items;

    static TValueList Create(const std::string& file);
    // Name=value lines; a file that cannot be opened is the fatal "Error loading file " + file.
    void Read(const std::string& file);
    void AddTValue(const TValue& value);
    void AddValue(const std::string& name, int value);
    const TValue* GetValueByIndex(int i) const;
    const TValue* GetValueByName(const std::string& name) const;
    void PrintList() const;
};

int Round(float x);
double PointDistance(double x1, double y1, double x2, double y2);
double PointSegmentDistance(double px, double py, double x1, double y1, double x2, double y2);
double TriangleLeg(double a, double b);
int RandRange(int low, int high);
void SeedCRand(unsigned seed);
std::string FormatNumber(double value, int decimals, int group);
float ToDecimals(float value, int decimals);

// Appends every element of source to destination; 0 when either is missing or source is empty.
template <class List>
int ListAppend(List* destination, const List* source) {
    if (!destination || !source || source->empty()) return 0;
    destination->insert(destination->end(), source->begin(), source->end());
    return 1;
}
