// Shapes, Shape, ShapeRange, and the Tags of slides, shapes and master shapes. A Shape is a range
// of one shape; members that need a single shape raise on a range of several.
#include <algorithm>
#include <cmath>
#include <set>

#include "sim/ppt/objects.hpp"

namespace sim::ppt {
namespace {

using ShapeRef = std::shared_ptr<doc::Shape>;

// MsoZOrderCmd
constexpr int msoBringToFront = 0;
constexpr int msoSendToBack = 1;
constexpr int msoBringForward = 2;
constexpr int msoSendBackward = 3;

bool Contains(const doc::ShapeList& list, const doc::Shape& shape) {
  for (const auto& item : list)
    if (item.get() == &shape || Contains(item->group_items, shape)) return true;
  return false;
}

float Geometry(const vb::Variant& value, const std::string& where) {
  const double number = value.ToDouble();
  if (!(number > -169087.0 && number < 169087.0)) RaisePowerPoint(where + " : The value is out of range.");
  return static_cast<float>(number);
}

class ShapeRangeObject : public DocObject {
 public:
  ShapeRangeObject(ProcessRef process, std::shared_ptr<Document> document, ShapeOwner owner,
                   std::vector<ShapeRef> shapes, bool single)
      : DocObject(std::move(process), std::move(document)),
        owner_(std::move(owner)),
        shapes_(std::move(shapes)),
        single_(single) {}

  std::string TypeName() const override { return single_ ? "Shape" : "ShapeRange"; }
  const void* Identity() const override {
    return single_ ? static_cast<const void*>(shapes_.front().get()) : this;
  }
  void CheckAlive() const override {
    DocObject::CheckAlive();
    if (owner_.slide && SlidePosition(model(), *owner_.slide) == 0) RaiseGone(TypeName());
    for (const auto& shape : shapes_)
      if (!Contains(*owner_.shapes, *shape)) RaiseGone(TypeName());
  }

 protected:
  const MemberTable& Members() const override;

 private:
  const ShapeRef& One(const std::string& member) const {
    if (shapes_.size() != 1)
      RaisePowerPoint(TypeName() + "." + member +
                      " : Invalid request.  This member needs a range of one shape.");
    return shapes_.front();
  }
  /// A geometry property: read from the one shape, written to all.
  static Member GeometryMember(const std::string& name, float doc::Shape::*field) {
    using M = DocMembersOf<ShapeRangeObject>;
    return M::Property(
        name,
        [name, field](ShapeRangeObject& self, const CallArgs&) {
          return vb::Variant(self.One(name).get()->*field);
        },
        [name, field](ShapeRangeObject& self, const CallArgs& args) {
          float value = Geometry(args.value(), self.TypeName() + "." + name);
          if (field == &doc::Shape::rotation) {
            value = static_cast<float>(std::fmod(value, 360.0f));
            if (value < 0) value += 360.0f;
          } else if ((field == &doc::Shape::width || field == &doc::Shape::height) && value < 0) {
            RaisePowerPoint(self.TypeName() + "." + name + " : The value is out of range.");
          }
          for (auto& shape : self.shapes_) shape.get()->*field = value;
        });
  }

  ShapeOwner owner_;
  std::vector<ShapeRef> shapes_;
  bool single_;
};

const MemberTable& ShapeRangeObject::Members() const {
  using M = DocMembersOf<ShapeRangeObject>;
  using Self = ShapeRangeObject;
  static const MemberTable table({
      M::Property("Count",
                  [](Self& self, const CallArgs&) {
                    return vb::Variant(static_cast<std::int32_t>(self.shapes_.size()));
                  }),
      M::Indexed("Item",
                 [](Self& self, const CallArgs& args) {
                   args.Expect(1, {"Index"});
                   const long index = IndexArgument(args.Required(0, "Index"));
                   const long count = static_cast<long>(self.shapes_.size());
                   if (index < 1 || index > count) RaiseOutOfRange("ShapeRange.Item", index, count);
                   return vb::Variant(MakeShape(self.process_ref(), self.document_ref(), self.owner_,
                                                self.shapes_[static_cast<std::size_t>(index - 1)]));
                 }),
      M::Property(
          "Name", [](Self& self, const CallArgs&) { return vb::Variant(self.One("Name")->name); },
          [](Self& self, const CallArgs& args) { self.One("Name")->name = args.value().ToString(); }),
      M::Property("Id",
                  [](Self& self, const CallArgs&) { return vb::Variant(std::int32_t{self.One("Id")->id}); }),
      M::Property("Type",
                  [](Self& self, const CallArgs&) {
                    const int type = self.shapes_.front()->type;
                    for (const auto& shape : self.shapes_)
                      if (shape->type != type) return vb::Variant(std::int32_t{-2});
                    return vb::Variant(std::int32_t{type});
                  }),
      M::Property(
          "AutoShapeType",
          [](Self& self, const CallArgs&) {
            return vb::Variant(std::int32_t{self.One("AutoShapeType")->auto_shape_type});
          },
          [](Self& self, const CallArgs& args) {
            const long type = args.value().ToLong();
            if (type < 1 || type > 138)
              RaisePowerPoint(self.TypeName() + ".AutoShapeType : The value is out of range.");
            for (auto& shape : self.shapes_) {
              if (shape->type == pp::msoGroup || shape->type == pp::msoPicture)
                RaisePowerPoint(self.TypeName() +
                                ".AutoShapeType : Invalid request.  This shape is not an AutoShape.");
              shape->auto_shape_type = static_cast<int>(type);
            }
          }),
      GeometryMember("Left", &doc::Shape::left),
      GeometryMember("Top", &doc::Shape::top),
      GeometryMember("Width", &doc::Shape::width),
      GeometryMember("Height", &doc::Shape::height),
      GeometryMember("Rotation", &doc::Shape::rotation),
      M::Property(
          "HasTextFrame",
          [](Self& self, const CallArgs&) { return TriState(self.One("HasTextFrame")->has_text_frame); }),
      M::Property("TextFrame",
                  [](Self& self, const CallArgs&) {
                    const auto& shape = self.One("TextFrame");
                    if (!shape->has_text_frame)
                      RaisePowerPoint("Shape.TextFrame : Invalid request.  This shape has no text frame.");
                    return vb::Variant(
                        MakeShapeTextFrame(self.process_ref(), self.document_ref(), self.owner_, shape));
                  }),
      M::Property("Tags",
                  [](Self& self, const CallArgs&) {
                    const auto& shape = self.One("Tags");
                    return vb::Variant(MakeTags(self.process_ref(), self.document_ref(),
                                                std::shared_ptr<doc::Tags>(shape, &shape->tags)));
                  }),
      M::Property("Fill",
                  [](Self& self, const CallArgs&) {
                    const ShapeRef shape = self.One("Fill");
                    return vb::Variant(MakeFill(self.process_ref(), self.document_ref(), [shape](bool) {
                      return std::shared_ptr<doc::Fill>(shape, &shape->fill);
                    }));
                  }),
      M::Property("PlaceholderFormat",
                  [](Self& self, const CallArgs&) {
                    const auto& shape = self.One("PlaceholderFormat");
                    if (shape->type != pp::msoPlaceholder)
                      RaisePowerPoint(
                          "Shape.PlaceholderFormat : Invalid request.  This shape is not a placeholder.");
                    return vb::Variant(MakePlaceholderFormat(self.process_ref(), self.document_ref(), shape));
                  }),
      M::Property("GroupItems",
                  [](Self& self, const CallArgs&) {
                    const auto& shape = self.One("GroupItems");
                    if (shape->type != pp::msoGroup)
                      RaisePowerPoint(
                          "Shape.GroupItems : Invalid request.  This property only applies to groups.");
                    ShapeOwner owner{shape, &shape->group_items, self.owner_.slide, self.owner_.master};
                    return vb::Variant(MakeShapes(self.process_ref(), self.document_ref(), owner));
                  }),
      M::Procedure("Delete",
                   [](Self& self, const CallArgs& args) {
                     args.Expect(0);
                     std::set<const doc::Shape*> gone;
                     for (const auto& shape : self.shapes_) gone.insert(shape.get());
                     std::erase_if(*self.owner_.shapes,
                                   [&](const ShapeRef& s) { return gone.count(s.get()) > 0; });
                     self.Modified();
                   }),
      M::Method("Duplicate",
                [](Self& self, const CallArgs& args) {
                  args.Expect(0);
                  // The copies, tags included, go on top, a little lower and to the right.
                  std::vector<ShapeRef> copies;
                  for (const auto& shape : self.shapes_) {
                    auto copy = doc::CopyShape(*shape, self.model().next_shape_id);
                    copy->left += 9;
                    copy->top += 9;
                    self.owner_.shapes->push_back(copy);
                    copies.push_back(copy);
                  }
                  self.Modified();
                  return vb::Variant(
                      MakeShapeRange(self.process_ref(), self.document_ref(), self.owner_, copies));
                }),
      M::Procedure("ZOrder",
                   [](Self& self, const CallArgs& args) {
                     args.Expect(1, {"ZOrderCmd"});
                     const long command = args.Required(0, "ZOrderCmd").ToLong();
                     auto& list = *self.owner_.shapes;
                     const ShapeRef shape = self.One("ZOrder");
                     auto it = std::find(list.begin(), list.end(), shape);
                     if (it == list.end()) RaiseGone("Shape");
                     std::size_t position = static_cast<std::size_t>(it - list.begin());
                     list.erase(it);
                     switch (command) {
                       case msoBringToFront:
                         position = list.size();
                         break;
                       case msoSendToBack:
                         position = 0;
                         break;
                       case msoBringForward:
                         position = std::min(position + 1, list.size());
                         break;
                       case msoSendBackward:
                         position = position ? position - 1 : 0;
                         break;
                       default:
                         list.insert(list.begin() + static_cast<long>(position), shape);
                         RaisePowerPoint("Shape.ZOrder : The value is out of range.");
                     }
                     list.insert(list.begin() + static_cast<long>(position), shape);
                     self.Modified();
                   }),
      M::Procedure("Select", [](Self&, const CallArgs&) {}),
  });
  return table;
}

class ShapesObject : public DocObject {
 public:
  ShapesObject(ProcessRef process, std::shared_ptr<Document> document, ShapeOwner owner)
      : DocObject(std::move(process), std::move(document)), owner_(std::move(owner)) {}
  std::string TypeName() const override { return "Shapes"; }
  const void* Identity() const override { return owner_.shapes; }
  void CheckAlive() const override {
    DocObject::CheckAlive();
    if (owner_.slide && SlidePosition(model(), *owner_.slide) == 0) RaiseGone(TypeName());
  }

 protected:
  const MemberTable& Members() const override {
    using M = DocMembersOf<ShapesObject>;
    using Self = ShapesObject;
    static const MemberTable table({
        M::Property("Count",
                    [](Self& self, const CallArgs&) {
                      return vb::Variant(static_cast<std::int32_t>(self.owner_.shapes->size()));
                    }),
        M::Indexed("Item",
                   [](Self& self, const CallArgs& args) {
                     args.Expect(1, {"Index"});
                     return vb::Variant(MakeShape(self.process_ref(), self.document_ref(), self.owner_,
                                                  self.Find(args.Required(0, "Index"), "Shapes.Item")));
                   }),
        M::Method("Range",
                  [](Self& self, const CallArgs& args) {
                    args.Expect(1, {"Index"});
                    std::vector<ShapeRef> shapes;
                    const auto index = args.Find(0, "Index");
                    if (!index) {
                      shapes = *self.owner_.shapes;
                    } else if (index->type() == vb::VarType::Array) {
                      for (const auto& item : index->ToArray())
                        shapes.push_back(self.Find(item, "Shapes.Range"));
                    } else {
                      shapes.push_back(self.Find(*index, "Shapes.Range"));
                    }
                    if (shapes.empty())
                      RaisePowerPoint("Shapes.Range : Invalid request.  There is no shape.");
                    return vb::Variant(
                        MakeShapeRange(self.process_ref(), self.document_ref(), self.owner_, shapes));
                  }),
        M::Property("HasTitle",
                    [](Self& self, const CallArgs&) { return TriState(self.TitleShape() != nullptr); }),
        M::Property("Title",
                    [](Self& self, const CallArgs&) {
                      auto title = self.TitleShape();
                      if (!title)
                        RaisePowerPoint("Shapes.Title : Invalid request.  This slide has no title.");
                      return vb::Variant(
                          MakeShape(self.process_ref(), self.document_ref(), self.owner_, title));
                    }),
        M::Method("AddTextbox",
                  [](Self& self, const CallArgs& args) {
                    args.Expect(5, {"Orientation", "Left", "Top", "Width", "Height"});
                    auto shape = self.NewShape(pp::msoTextBox, pp::msoShapeRectangle, args, 1, "ZoneTexte");
                    shape->has_text_frame = true;
                    shape->fill.visible = false;
                    return vb::Variant(
                        MakeShape(self.process_ref(), self.document_ref(), self.owner_, shape));
                  }),
        M::Method("AddShape",
                  [](Self& self, const CallArgs& args) {
                    args.Expect(5, {"Type", "Left", "Top", "Width", "Height"});
                    const long type = args.Required(0, "Type").ToLong();
                    if (type < 1 || type > 138)
                      RaisePowerPoint("Shapes.AddShape : The value is out of range.");
                    auto shape =
                        self.NewShape(pp::msoAutoShape, static_cast<int>(type), args, 1, "Forme automatique");
                    shape->has_text_frame = true;
                    return vb::Variant(
                        MakeShape(self.process_ref(), self.document_ref(), self.owner_, shape));
                  }),
    });
    return table;
  }

 private:
  ShapeRef TitleShape() const {
    for (const auto& shape : *owner_.shapes)
      if (shape->type == pp::msoPlaceholder && (shape->placeholder_type == pp::ppPlaceholderTitle ||
                                                shape->placeholder_type == pp::ppPlaceholderCenterTitle))
        return shape;
    return nullptr;
  }
  ShapeRef NewShape(int type, int auto_shape_type, const CallArgs& args, std::size_t first,
                    const std::string& name) const {
    auto shape = std::make_shared<doc::Shape>();
    shape->id = model().next_shape_id++;
    shape->type = type;
    shape->auto_shape_type = auto_shape_type;
    shape->name = name + " " + std::to_string(owner_.shapes->size() + 1);
    shape->left = Geometry(args.Required(first, "Left"), "Shapes.Add");
    shape->top = Geometry(args.Required(first + 1, "Top"), "Shapes.Add");
    shape->width = Geometry(args.Required(first + 2, "Width"), "Shapes.Add");
    shape->height = Geometry(args.Required(first + 3, "Height"), "Shapes.Add");
    owner_.shapes->push_back(shape);
    Modified();
    return shape;
  }
  ShapeRef Find(const vb::Variant& index, const std::string& where) const {
    const auto& shapes = *owner_.shapes;
    if (index.IsString()) {
      const std::string name = index.ToString();
      for (const auto& shape : shapes)
        if (shape->name == name) return shape;
      RaisePowerPoint(where + " : Item " + name + " not found in the Shapes collection.");
    }
    const long i = IndexArgument(index);
    if (i < 1 || i > static_cast<long>(shapes.size()))
      RaiseOutOfRange(where, i, static_cast<long>(shapes.size()));
    return shapes[static_cast<std::size_t>(i - 1)];
  }

  ShapeOwner owner_;
};

class PlaceholderFormatObject : public DocObject {
 public:
  PlaceholderFormatObject(ProcessRef process, std::shared_ptr<Document> document, ShapeRef shape)
      : DocObject(std::move(process), std::move(document)), shape_(std::move(shape)) {}
  std::string TypeName() const override { return "PlaceholderFormat"; }

 protected:
  const MemberTable& Members() const override {
    using M = DocMembersOf<PlaceholderFormatObject>;
    static const MemberTable table({
        M::Property("Type",
                    [](PlaceholderFormatObject& self, const CallArgs&) {
                      return vb::Variant(std::int32_t{self.shape_->placeholder_type});
                    }),
    });
    return table;
  }

 private:
  ShapeRef shape_;
};

class TagsObject : public DocObject {
 public:
  TagsObject(ProcessRef process, std::shared_ptr<Document> document, std::shared_ptr<doc::Tags> tags)
      : DocObject(std::move(process), std::move(document)), tags_(std::move(tags)) {}
  std::string TypeName() const override { return "Tags"; }
  const void* Identity() const override { return tags_.get(); }

 protected:
  const MemberTable& Members() const override {
    using M = DocMembersOf<TagsObject>;
    using Self = TagsObject;
    static const MemberTable table({
        M::Property("Count",
                    [](Self& self, const CallArgs&) {
                      return vb::Variant(static_cast<std::int32_t>(self.tags_->items.size()));
                    }),
        M::Indexed("Item",
                   [](Self& self, const CallArgs& args) {
                     args.Expect(1, {"Name"});
                     return vb::Variant(self.tags_->Get(args.Required(0, "Name").ToString()));
                   }),
        M::Procedure("Add",
                     [](Self& self, const CallArgs& args) {
                       args.Expect(2, {"Name", "Value"});
                       const std::string name = args.Required(0, "Name").ToString();
                       if (name.empty()) RaisePowerPoint("Tags.Add : Invalid request.  A tag needs a name.");
                       self.tags_->Add(name, args.Required(1, "Value").ToString());
                       self.Modified();
                     }),
        M::Procedure("Delete",
                     [](Self& self, const CallArgs& args) {
                       args.Expect(1, {"Name"});
                       const std::string name = args.Required(0, "Name").ToString();
                       if (!self.tags_->Delete(name))
                         RaisePowerPoint("Tags.Delete : Item " + name + " not found in the Tags collection.");
                       self.Modified();
                     }),
        M::Indexed("Name", [](Self& self,
                              const CallArgs& args) { return vb::Variant(self.At(args, "Tags.Name").name); }),
        M::Indexed(
            "Value",
            [](Self& self, const CallArgs& args) { return vb::Variant(self.At(args, "Tags.Value").value); }),
    });
    return table;
  }

 private:
  const doc::Tag& At(const CallArgs& args, const std::string& where) const {
    args.Expect(1, {"Index"});
    const long index = IndexArgument(args.Required(0, "Index"));
    const long count = static_cast<long>(tags_->items.size());
    if (index < 1 || index > count) RaiseOutOfRange(where, index, count);
    return tags_->items[static_cast<std::size_t>(index - 1)];
  }
  std::shared_ptr<doc::Tags> tags_;
};

}  // namespace

bool ShapeAlive(const doc::Presentation& presentation, const ShapeOwner& owner, const doc::Shape& shape) {
  if (owner.slide && SlidePosition(presentation, *owner.slide) == 0) return false;
  return Contains(*owner.shapes, shape);
}

vb::ObjectRef MakeShapes(ProcessRef process, std::shared_ptr<Document> document, ShapeOwner owner) {
  return std::make_shared<ShapesObject>(std::move(process), std::move(document), std::move(owner));
}

vb::ObjectRef MakeShape(ProcessRef process, std::shared_ptr<Document> document, ShapeOwner owner,
                        std::shared_ptr<doc::Shape> shape) {
  return std::make_shared<ShapeRangeObject>(std::move(process), std::move(document), std::move(owner),
                                            std::vector<ShapeRef>{std::move(shape)}, true);
}

vb::ObjectRef MakeShapeRange(ProcessRef process, std::shared_ptr<Document> document, ShapeOwner owner,
                             std::vector<std::shared_ptr<doc::Shape>> shapes) {
  return std::make_shared<ShapeRangeObject>(std::move(process), std::move(document), std::move(owner),
                                            std::move(shapes), false);
}

vb::ObjectRef MakePlaceholderFormat(ProcessRef process, std::shared_ptr<Document> document,
                                    std::shared_ptr<doc::Shape> shape) {
  return std::make_shared<PlaceholderFormatObject>(std::move(process), std::move(document), std::move(shape));
}

vb::ObjectRef MakeTags(ProcessRef process, std::shared_ptr<Document> document,
                       std::shared_ptr<doc::Tags> tags) {
  return std::make_shared<TagsObject>(std::move(process), std::move(document), std::move(tags));
}

}  // namespace sim::ppt
