#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "PageContext.h"

namespace quoravel {

class IllustrationOptions;

// The page that states the underwriting criteria of the client's proposed
// risk class. The New York carrier's products of types 18 and 19 have their
// own wording, three blood-pressure age bands and separate male and female
// build charts.
class ClassInfoPage {
public:
    explicit ClassInfoPage(PageContext& context) : context_(context) {}
    ClassInfoPage(const ClassInfoPage&) = delete;
    ClassInfoPage& operator=(const ClassInfoPage&) = delete;

    static bool UsesQNBLayout(const IllustrationOptions& options);

    // Prints the page on a page of its own (the current one when nothing is
    // on it yet); every page it runs on opens with the body header until finish.
    void start();
    void finish() { self_.reset(); }

private:
    void Bind();
    void Heading();
    void ClassSentence(int classCode);
    // In relay mode every criterion stands in a paragraph of its own.
    void Criterion(std::string_view text);
    void GeneralCriteria(int classCode);
    void QNBCriteria(int classCode);
    void NicotineCriterion(int classCode);
    void CommonCriteria(int classCode);

    PageContext& context_;
    std::shared_ptr<ClassInfoPage*> self_;
};

// "Preferred Elite No Nicotine" … "Custom Nicotine" for class codes 0 to 8.
std::string ClassInfoClassName(int classCode);

// The class information section: the page for the client's class.
void PrintClassInformation(PageContext& context);

}  // namespace quoravel
