#pragma once

#include "app/services/Text.h"

namespace tolvanw32 {

// The options dialog as the controller sees it: a setter that fills each
// control and a getter that reads it back, then a modal run.
class PreferenceDialog {
public:
    virtual ~PreferenceDialog() = default;

    virtual void setStyleSheetFileName(const Text& name) = 0;
    virtual void setStyleSheet(int styleNum) = 0;
    virtual void setXhtmlVersion(int version) = 0;
    virtual void setSpanTenP(bool on) = 0;
    virtual void setSpanPeriodP(bool on) = 0;
    virtual void setSpanCommaP(bool on) = 0;
    virtual void setSyntax(int syntax) = 0;
    virtual void setEscapeByAppendP(bool on) = 0;
    virtual void setTextEditor(const Text& path) = 0;
    virtual void setInputCharset(int index) = 0;
    virtual void setOutputCharset(int index) = 0;

    // True when the user confirmed with OK.
    virtual bool showModal() = 0;

    virtual int getStyleSheet() const = 0;
    virtual Text getStyleSheetFileName() const = 0;
    virtual int getXhtmlVersion() const = 0;
    virtual bool getSpanTenP() const = 0;
    virtual bool getSpanPeriodP() const = 0;
    virtual bool getSpanCommaP() const = 0;
    virtual int getSyntax() const = 0;
    virtual bool getEscapeByAppendP() const = 0;
    virtual Text getTextEditor() const = 0;
    virtual int getInputCharset() const = 0;
    virtual int getOutputCharset() const = 0;
};

} // namespace tolvanw32
