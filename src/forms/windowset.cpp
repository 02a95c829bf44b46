// The window set: construction and creation handlers in start-up order, and
// the teardown at the end of the program (or of a test).
#include "forms/windowset.h"

#include <QApplication>

#include "forms/about.h"
#include "forms/daneprojektu.h"
#include "forms/dynamika.h"
#include "forms/glowna.h"
#include "forms/kondensacja.h"
#include "forms/raport_new.h"
#include "forms/rysunek.h"
#include "forms/system1.h"
#include "forms/system2.h"
#include "forms/system3.h"
#include "forms/system4.h"
#include "forms/warstwy.h"
#include "forms/warunki_poczatkowe.h"
#include "platform/dialogs.h"

namespace {
CreationHook& creationHook() {
  static CreationHook hook;
  return hook;
}

// Construction builds the controls and cannot fail; the creation handler reads
// the window's data files and may, which is reported without stopping start-up.
template <class Form>
void create(Form*& instance, QWidget* mainWindow) {
  instance = new Form(mainWindow);
  ui::Guard([&] {
    instance->FormCreate();
    if (creationHook()) creationHook()(instance);
  });
}
}  // namespace

void CreateWindowSet() {
  FormGlowna = new TFormGlowna();
  ui::Guard([] {
    FormGlowna->FormCreate();
    if (creationHook()) creationHook()(FormGlowna);
  });
  create(FormWarstwy, FormGlowna);
  create(FormWarunkiPoczatkowe, FormGlowna);
  create(FormDaneProj, FormGlowna);
  create(AboutBox, FormGlowna);
  create(FormSystem1, FormGlowna);
  create(FormSystem2, FormGlowna);
  create(FormSystem3, FormGlowna);
  create(FormSystem4, FormGlowna);
  create(FormRaportNew, FormGlowna);
  create(FormKondensacja, FormGlowna);
  create(FormDynamika, FormGlowna);
}

void SetCreationHook(CreationHook hook) {
  creationHook() = std::move(hook);
}

void DestroyWindowSet() {
  for (TFormRysunek* chart : TFormRysunek::Instances()) delete chart;
  // The companions are children of the main window and go with it.
  delete FormGlowna;
  FormGlowna = nullptr;
  FormWarstwy = nullptr;
  FormWarunkiPoczatkowe = nullptr;
  FormDaneProj = nullptr;
  AboutBox = nullptr;
  FormSystem1 = nullptr;
  FormSystem2 = nullptr;
  FormSystem3 = nullptr;
  FormSystem4 = nullptr;
  FormRaportNew = nullptr;
  FormKondensacja = nullptr;
  FormDynamika = nullptr;
}
