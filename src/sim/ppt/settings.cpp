// Page setup, print options, headers and footers, and the built-in document properties.
#include <algorithm>

#include "sim/ppt/objects.hpp"

namespace sim::ppt {
namespace {

long Enumerated(const CallArgs& args, const std::string& where, long min, long max) {
  const long value = args.value().ToLong();
  if (value < min || value > max) RaisePowerPoint(where + " : Invalid enumeration value.");
  return value;
}

class PageSetupObject : public DocObject {
 public:
  using DocObject::DocObject;
  std::string TypeName() const override { return "PageSetup"; }

 protected:
  const MemberTable& Members() const override {
    using M = DocMembersOf<PageSetupObject>;
    using Self = PageSetupObject;
    static const MemberTable table({
        M::Property(
            "SlideSize",
            [](Self& self, const CallArgs&) { return vb::Variant(std::int32_t{self.setup().slide_size}); },
            [](Self& self, const CallArgs& args) {
              const int size = static_cast<int>(Enumerated(args, "PageSetup.SlideSize", 1, 14));
              auto& setup = self.setup();
              float width = setup.slide_width, height = setup.slide_height;
              if (size != pp::ppSlideSizeCustom && doc::SlideSizeDimensions(size, width, height)) {
                if (setup.slide_orientation == pp::msoOrientationVertical) std::swap(width, height);
                setup.slide_width = width;
                setup.slide_height = height;
              }
              setup.slide_size = size;
            }),
        M::Property(
            "SlideWidth", [](Self& self, const CallArgs&) { return vb::Variant(self.setup().slide_width); },
            [](Self& self, const CallArgs& args) {
              self.Dimension(args, &doc::PageSetup::slide_width, "SlideWidth");
            }),
        M::Property(
            "SlideHeight", [](Self& self, const CallArgs&) { return vb::Variant(self.setup().slide_height); },
            [](Self& self, const CallArgs& args) {
              self.Dimension(args, &doc::PageSetup::slide_height, "SlideHeight");
            }),
        M::Property(
            "SlideOrientation",
            [](Self& self, const CallArgs&) {
              return vb::Variant(std::int32_t{self.setup().slide_orientation});
            },
            [](Self& self, const CallArgs& args) {
              const int orientation = static_cast<int>(Enumerated(args, "PageSetup.SlideOrientation", 1, 2));
              auto& setup = self.setup();
              if (orientation != setup.slide_orientation) std::swap(setup.slide_width, setup.slide_height);
              setup.slide_orientation = orientation;
            }),
        M::Property(
            "NotesOrientation",
            [](Self& self, const CallArgs&) {
              return vb::Variant(std::int32_t{self.setup().notes_orientation});
            },
            [](Self& self, const CallArgs& args) {
              self.setup().notes_orientation =
                  static_cast<int>(Enumerated(args, "PageSetup.NotesOrientation", 1, 2));
            }),
        M::Property(
            "FirstSlideNumber",
            [](Self& self, const CallArgs&) {
              return vb::Variant(std::int32_t{self.setup().first_slide_number});
            },
            [](Self& self, const CallArgs& args) {
              self.setup().first_slide_number =
                  static_cast<int>(Enumerated(args, "PageSetup.FirstSlideNumber", 0, 9999));
            }),
    });
    return table;
  }

 private:
  doc::PageSetup& setup() const { return model().page_setup; }
  void Dimension(const CallArgs& args, float doc::PageSetup::*field, const std::string& name) {
    const double value = args.value().ToDouble();
    if (!(value >= 72 && value <= 4032))
      RaisePowerPoint("PageSetup." + name + " : The value is out of range.");
    setup().*field = static_cast<float>(value);
    setup().slide_size = pp::ppSlideSizeCustom;
  }
};

class PrintRangeObject : public DocObject {
 public:
  PrintRangeObject(ProcessRef process, std::shared_ptr<Document> document, std::size_t index)
      : DocObject(std::move(process), std::move(document)), index_(index) {}
  std::string TypeName() const override { return "PrintRange"; }
  void CheckAlive() const override {
    DocObject::CheckAlive();
    if (index_ >= model().print_options.ranges.size()) RaiseGone("PrintRange");
  }

 protected:
  const MemberTable& Members() const override {
    using M = DocMembersOf<PrintRangeObject>;
    static const MemberTable table({
        M::Property("Start",
                    [](PrintRangeObject& self, const CallArgs&) {
                      return vb::Variant(std::int32_t{self.model().print_options.ranges[self.index_].start});
                    }),
        M::Property("End",
                    [](PrintRangeObject& self, const CallArgs&) {
                      return vb::Variant(std::int32_t{self.model().print_options.ranges[self.index_].end});
                    }),
    });
    return table;
  }

 private:
  std::size_t index_;
};

class PrintRangesObject : public DocObject {
 public:
  using DocObject::DocObject;
  std::string TypeName() const override { return "PrintRanges"; }

 protected:
  const MemberTable& Members() const override {
    using M = DocMembersOf<PrintRangesObject>;
    using Self = PrintRangesObject;
    static const MemberTable table({
        M::Property("Count",
                    [](Self& self, const CallArgs&) {
                      return vb::Variant(static_cast<std::int32_t>(self.model().print_options.ranges.size()));
                    }),
        M::Indexed("Item",
                   [](Self& self, const CallArgs& args) {
                     args.Expect(1, {"Index"});
                     const long index = IndexArgument(args.Required(0, "Index"));
                     const long count = static_cast<long>(self.model().print_options.ranges.size());
                     if (index < 1 || index > count) RaiseOutOfRange("PrintRanges.Item", index, count);
                     return Obj(std::make_shared<PrintRangeObject>(self.process_ref(), self.document_ref(),
                                                                   static_cast<std::size_t>(index - 1)));
                   }),
        M::Method("Add",
                  [](Self& self, const CallArgs& args) {
                    args.Expect(2, {"Start", "End"});
                    const long start = args.Required(0, "Start").ToLong();
                    const long end = args.Required(1, "End").ToLong();
                    if (start < 1 || end < start || end > 100000)
                      RaisePowerPoint("PrintRanges.Add : The value is out of range.");
                    auto& ranges = self.model().print_options.ranges;
                    ranges.push_back({static_cast<int>(start), static_cast<int>(end)});
                    self.Modified();
                    return Obj(std::make_shared<PrintRangeObject>(self.process_ref(), self.document_ref(),
                                                                  ranges.size() - 1));
                  }),
        M::Procedure("ClearAll",
                     [](Self& self, const CallArgs&) {
                       self.model().print_options.ranges.clear();
                       self.Modified();
                     }),
    });
    return table;
  }
};

class PrintOptionsObject : public DocObject {
 public:
  using DocObject::DocObject;
  std::string TypeName() const override { return "PrintOptions"; }

 protected:
  const MemberTable& Members() const override {
    using M = DocMembersOf<PrintOptionsObject>;
    using Self = PrintOptionsObject;
    static const MemberTable table({
        M::Property(
            "OutputType",
            [](Self& self, const CallArgs&) { return vb::Variant(std::int32_t{self.options().output_type}); },
            [](Self& self, const CallArgs& args) {
              self.options().output_type =
                  static_cast<int>(Enumerated(args, "PrintOptions.OutputType", 1, 10));
            }),
        M::Property(
            "RangeType",
            [](Self& self, const CallArgs&) { return vb::Variant(std::int32_t{self.options().range_type}); },
            [](Self& self, const CallArgs& args) {
              self.options().range_type = static_cast<int>(Enumerated(args, "PrintOptions.RangeType", 1, 5));
            }),
        M::Property(
            "NumberOfCopies",
            [](Self& self, const CallArgs&) {
              return vb::Variant(std::int32_t{self.options().number_of_copies});
            },
            [](Self& self, const CallArgs& args) {
              self.options().number_of_copies =
                  static_cast<int>(Enumerated(args, "PrintOptions.NumberOfCopies", 1, 9999));
            }),
        M::Property(
            "FrameSlides", [](Self& self, const CallArgs&) { return TriState(self.options().frame_slides); },
            [](Self& self, const CallArgs& args) { self.options().frame_slides = args.value().ToBool(); }),
        M::Property("Ranges",
                    [](Self& self, const CallArgs&) {
                      return Obj(
                          std::make_shared<PrintRangesObject>(self.process_ref(), self.document_ref()));
                    }),
    });
    return table;
  }

 private:
  doc::PrintOptions& options() const { return model().print_options; }
};

class HeaderFooterObject : public DocObject {
 public:
  HeaderFooterObject(ProcessRef process, std::shared_ptr<Document> document,
                     std::shared_ptr<doc::HeaderFooter> zone)
      : DocObject(std::move(process), std::move(document)), zone_(std::move(zone)) {}
  std::string TypeName() const override { return "HeaderFooter"; }
  const void* Identity() const override { return zone_.get(); }

 protected:
  const MemberTable& Members() const override {
    using M = DocMembersOf<HeaderFooterObject>;
    using Self = HeaderFooterObject;
    static const MemberTable table({
        M::Property(
            "Visible", [](Self& self, const CallArgs&) { return TriState(self.zone_->visible); },
            [](Self& self, const CallArgs& args) { self.zone_->visible = args.value().ToBool(); }),
        M::Property(
            "Text", [](Self& self, const CallArgs&) { return vb::Variant(self.zone_->text); },
            [](Self& self, const CallArgs& args) { self.zone_->text = args.value().ToString(); }),
    });
    return table;
  }

 private:
  std::shared_ptr<doc::HeaderFooter> zone_;
};

class HeadersFootersObject : public DocObject {
 public:
  HeadersFootersObject(ProcessRef process, std::shared_ptr<Document> document,
                       std::shared_ptr<doc::HeadersFooters> headers_footers)
      : DocObject(std::move(process), std::move(document)), hf_(std::move(headers_footers)) {}
  std::string TypeName() const override { return "HeadersFooters"; }

 protected:
  const MemberTable& Members() const override {
    using M = DocMembersOf<HeadersFootersObject>;
    static const MemberTable table({
        Zone("DateAndTime", &doc::HeadersFooters::date_and_time),
        Zone("SlideNumber", &doc::HeadersFooters::slide_number),
        Zone("Header", &doc::HeadersFooters::header),
        Zone("Footer", &doc::HeadersFooters::footer),
        M::Procedure("Clear",
                     [](HeadersFootersObject& self, const CallArgs&) {
                       *self.hf_ = doc::HeadersFooters{};
                       self.Modified();
                     }),
    });
    return table;
  }

 private:
  static Member Zone(const std::string& name, doc::HeaderFooter doc::HeadersFooters::*zone) {
    using M = DocMembersOf<HeadersFootersObject>;
    return M::Property(name, [zone](HeadersFootersObject& self, const CallArgs&) {
      return Obj(std::make_shared<HeaderFooterObject>(
          self.process_ref(), self.document_ref(),
          std::shared_ptr<doc::HeaderFooter>(self.hf_, &(self.hf_.get()->*zone))));
    });
  }
  std::shared_ptr<doc::HeadersFooters> hf_;
};

// --- Built-in document properties -------------------------------------------------------------

/// The built-in properties by number, with Office's names.
const char* const kPropertyNames[] = {"Title",
                                      "Subject",
                                      "Author",
                                      "Keywords",
                                      "Comments",
                                      "Template",
                                      "Last Author",
                                      "Revision Number",
                                      "Application Name",
                                      "Last Print Date",
                                      "Creation Date",
                                      "Last Save Time",
                                      "Total Editing Time",
                                      "Number of Pages",
                                      "Number of Words",
                                      "Number of Characters",
                                      "Security",
                                      "Category",
                                      "Format",
                                      "Manager",
                                      "Company",
                                      "Number of Bytes",
                                      "Number of Lines",
                                      "Number of Paragraphs",
                                      "Number of Slides",
                                      "Number of Notes",
                                      "Number of Hidden Slides",
                                      "Number of Multimedia Clips",
                                      "Hyperlink Base",
                                      "Number of Characters (with spaces)"};
constexpr int kPropertyCount = 30;

// MsoDocProperties types.
constexpr int msoPropertyTypeNumber = 1;
constexpr int msoPropertyTypeDate = 3;
constexpr int msoPropertyTypeString = 4;

class DocumentPropertyObject : public DocObject {
 public:
  DocumentPropertyObject(ProcessRef process, std::shared_ptr<Document> document, int number)
      : DocObject(std::move(process), std::move(document)), number_(number) {}
  std::string TypeName() const override { return "DocumentProperty"; }

 protected:
  const MemberTable& Members() const override {
    using M = DocMembersOf<DocumentPropertyObject>;
    using Self = DocumentPropertyObject;
    static const MemberTable table({
        M::Property("Name", [](Self& self,
                               const CallArgs&) { return vb::Variant(kPropertyNames[self.number_ - 1]); }),
        M::Property("Type",
                    [](Self& self, const CallArgs&) {
                      const int n = self.number_;
                      const int type =
                          (n == 10 || n == 11 || n == 12) ? msoPropertyTypeDate
                          : (n == 13 || (n >= 14 && n <= 16) || n == 17 || (n >= 22 && n <= 28) || n == 30)
                              ? msoPropertyTypeNumber
                              : msoPropertyTypeString;
                      return vb::Variant(std::int32_t{type});
                    }),
        M::Property(
            "Value", [](Self& self, const CallArgs&) { return self.Value(); },
            [](Self& self, const CallArgs& args) { self.SetValue(args.value()); }),
    });
    return table;
  }

 private:
  std::string* Text() const {
    auto& p = model().properties;
    switch (number_) {
      case 1:
        return &p.title;
      case 2:
        return &p.subject;
      case 3:
        return &p.author;
      case 4:
        return &p.keywords;
      case 5:
        return &p.comments;
      case 6:
        return &p.template_;
      case 7:
        return &p.last_author;
      case 21:
        return &p.company;
      default:
        return nullptr;
    }
  }
  vb::Variant Value() const {
    if (auto* text = Text()) return vb::Variant(*text);
    const auto& p = model().properties;
    const std::string unavailable = "DocumentProperty.Value : The value of the property \"" +
                                    std::string(kPropertyNames[number_ - 1]) + "\" is not available";
    switch (number_) {
      case 9:
        return vb::Variant("Microsoft PowerPoint");
      case 10:
        RaisePowerPoint(unavailable + ": the presentation has never been printed.");
      case 11:
        if (!p.creation_date) RaisePowerPoint(unavailable + ".");
        return vb::Variant(*p.creation_date);
      case 12:
        if (!p.last_save_time) RaisePowerPoint(unavailable + ": the presentation has never been saved.");
        return vb::Variant(*p.last_save_time);
      case 19:
        return vb::Variant(doc::SlideSizeFormatName(model().page_setup.slide_size));
      case 25:
        return vb::Variant(static_cast<std::int32_t>(model().slides.size()));
      case 14:
      case 26:
        return vb::Variant(static_cast<std::int32_t>(model().slides.size()));
      case 18:
      case 20:
      case 29:
        return vb::Variant("");
      default:
        return vb::Variant(std::int32_t{0});
    }
  }
  void SetValue(const vb::Variant& value) {
    if (auto* text = Text()) {
      *text = value.ToString();
      return;
    }
    RaisePowerPoint("DocumentProperty.Value : The property \"" + std::string(kPropertyNames[number_ - 1]) +
                    "\" is read-only.");
  }
  int number_;
};

class DocumentPropertiesObject : public DocObject {
 public:
  using DocObject::DocObject;
  std::string TypeName() const override { return "DocumentProperties"; }

 protected:
  const MemberTable& Members() const override {
    using M = DocMembersOf<DocumentPropertiesObject>;
    using Self = DocumentPropertiesObject;
    static const MemberTable table({
        M::Property("Count",
                    [](Self&, const CallArgs&) { return vb::Variant(std::int32_t{kPropertyCount}); }),
        M::Indexed("Item",
                   [](Self& self, const CallArgs& args) {
                     args.Expect(1, {"Index"});
                     const auto index = args.Required(0, "Index");
                     int number = 0;
                     if (index.IsString()) {
                       const std::string name = index.ToString();
                       for (int i = 0; i < kPropertyCount; ++i) {
                         std::string candidate = kPropertyNames[i];
                         if (candidate.size() == name.size() &&
                             std::equal(candidate.begin(), candidate.end(), name.begin(), [](char a, char b) {
                               return std::tolower(static_cast<unsigned char>(a)) ==
                                      std::tolower(static_cast<unsigned char>(b));
                             }))
                           number = i + 1;
                       }
                       if (!number) vb::Raise(vb::errors::kInvalidCall, "Microsoft Office");
                     } else {
                       number = static_cast<int>(IndexArgument(index));
                       if (number < 1 || number > kPropertyCount)
                         vb::Raise(vb::errors::kInvalidCall, "Microsoft Office");
                     }
                     return Obj(std::make_shared<DocumentPropertyObject>(self.process_ref(),
                                                                         self.document_ref(), number));
                   }),
    });
    return table;
  }
};

}  // namespace

vb::ObjectRef MakePageSetup(ProcessRef process, std::shared_ptr<Document> document) {
  return std::make_shared<PageSetupObject>(std::move(process), std::move(document));
}

vb::ObjectRef MakePrintOptions(ProcessRef process, std::shared_ptr<Document> document) {
  return std::make_shared<PrintOptionsObject>(std::move(process), std::move(document));
}

vb::ObjectRef MakeHeadersFooters(ProcessRef process, std::shared_ptr<Document> document,
                                 std::shared_ptr<doc::HeadersFooters> headers_footers) {
  return std::make_shared<HeadersFootersObject>(std::move(process), std::move(document),
                                                std::move(headers_footers));
}

vb::ObjectRef MakeDocumentProperties(ProcessRef process, std::shared_ptr<Document> document) {
  return std::make_shared<DocumentPropertiesObject>(std::move(process), std::move(document));
}

}  // namespace sim::ppt
