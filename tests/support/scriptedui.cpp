// SPDX-License-Identifier: GPL-3.0-or-later
#include "scriptedui.h"

#include <gtest/gtest.h>

ScriptedUi::ScriptedUi() { setUi(this); }

ScriptedUi::~ScriptedUi() {
    setUi(nullptr);
    for (const auto& p : plan_)
        ADD_FAILURE() << "planned box never came: " << qPrintable(p.expected);
}

ScriptedUi& ScriptedUi::answer(int result, const QString& expectedText) {
    plan_.push_back({0, result, std::nullopt, expectedText});
    return *this;
}

ScriptedUi& ScriptedUi::input(std::optional<QString> result, const QString& expectedPrompt) {
    plan_.push_back({1, 0, std::move(result), expectedPrompt});
    return *this;
}

int ScriptedUi::MsgBox(const QString& text, int style, const QString& title) {
    texts << text;
    styles << style;
    defaults << vb::DefaultAnswer(style);
    titles << title;
    if (!nextIs(0)) {
        if (!allowAny_) ADD_FAILURE() << "unplanned message box: " << qPrintable(text);
        return vb::OK;
    }
    Planned p = plan_.front();
    plan_.pop_front();
    if (!p.expected.isEmpty() && !text.contains(p.expected))
        ADD_FAILURE() << "message box text \"" << qPrintable(text) << "\" lacks \""
                      << qPrintable(p.expected) << "\"";
    return p.result;
}

std::optional<QString> ScriptedUi::InputBox(const QString& prompt, const QString&, const QString& def) {
    texts << prompt;
    if (!nextIs(1)) {
        if (!allowAny_) ADD_FAILURE() << "unplanned input box: " << qPrintable(prompt);
        return def;
    }
    Planned p = plan_.front();
    plan_.pop_front();
    if (!p.expected.isEmpty() && !prompt.contains(p.expected))
        ADD_FAILURE() << "input box prompt \"" << qPrintable(prompt) << "\" lacks \""
                      << qPrintable(p.expected) << "\"";
    return p.inputResult;
}

ScriptedUi& ScriptedUi::file(const QString& path, const QString& expectedTitle, int filterIndex) {
    plan_.push_back({2, filterIndex, path, expectedTitle});
    return *this;
}

FileDialogChoice ScriptedUi::chooseFile(const FileDialogRequest& request) {
    fileRequests << request;
    texts << request.title;
    if (!nextIs(2)) {
        if (!allowAny_) ADD_FAILURE() << "unplanned file dialog: " << qPrintable(request.title);
        return {};
    }
    Planned p = plan_.front();
    plan_.pop_front();
    if (!p.expected.isEmpty() && request.title != p.expected)
        ADD_FAILURE() << "file dialog title \"" << qPrintable(request.title) << "\" is not \""
                      << qPrintable(p.expected) << "\"";
    return {p.inputResult.value_or(QString()), p.result < 0 ? request.filterIndex : p.result};
}

ScriptedUi& ScriptedUi::printer(std::optional<PrinterSetupChoice> choice) {
    plan_.push_back({3, 0, std::nullopt, QStringLiteral("printer dialog"), std::move(choice)});
    return *this;
}

std::optional<PrinterSetupChoice> ScriptedUi::PrinterDialog(const PrinterSetupChoice& current) {
    printerRequests << current;
    if (!nextIs(3)) {
        if (!allowAny_) ADD_FAILURE() << "unplanned printer dialog";
        return std::nullopt;
    }
    Planned p = plan_.front();
    plan_.pop_front();
    return p.printerResult;
}

ScriptedUi& ScriptedUi::color(std::optional<int> choice) {
    Planned p{4, 0, std::nullopt, QStringLiteral("colour dialog")};
    p.colorResult = choice;
    plan_.push_back(p);
    return *this;
}

std::optional<int> ScriptedUi::ColorDialog(int current) {
    colorRequests << current;
    if (!nextIs(4)) {
        if (!allowAny_) ADD_FAILURE() << "unplanned colour dialog";
        return std::nullopt;
    }
    Planned p = plan_.front();
    plan_.pop_front();
    return p.colorResult;
}

ScriptedUi& ScriptedUi::font(std::optional<FontChoice> choice) {
    Planned p{5, 0, std::nullopt, QStringLiteral("font dialog")};
    p.fontResult = std::move(choice);
    plan_.push_back(p);
    return *this;
}

std::optional<FontChoice> ScriptedUi::FontDialog(const FontChoice& current, int flags) {
    fontRequests << current;
    fontFlags << flags;
    if (!nextIs(5)) {
        if (!allowAny_) ADD_FAILURE() << "unplanned font dialog";
        return std::nullopt;
    }
    Planned p = plan_.front();
    plan_.pop_front();
    return p.fontResult;
}
