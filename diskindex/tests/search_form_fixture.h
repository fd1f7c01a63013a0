#pragma once
// The main window with scripted search prompts, for the window tests of the
// search dialog, the results window and the duplicates window: the search
// and duplicate dialogs are answered by m_search's scripts.

#include <memory>

#include "diskindex/tests/main_form_fixture.h"
#include "diskindex/tests/search_prompts_fake.h"

namespace diskindex::ui::testing {

class SearchFormTest : public MainFormTest {
 protected:
  TDiskIndexForm& startSearching() {
    TDiskIndexForm& form = start();
    auto prompts = std::make_unique<FakeSearchPrompts>();
    m_search = prompts.get();
    form.setSearchPrompts(std::move(prompts));
    return form;
  }

  FakeSearchPrompts* m_search = nullptr;
};

}  // namespace diskindex::ui::testing
