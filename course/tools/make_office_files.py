#!/usr/bin/env python3
"""Writes the simulated Office installation's design and content templates (course/office/) and the
model files of exercise 0201 (course/models/) in the simulator's presentation format (FORMAT.md).

Run from anywhere: python3 course/tools/make_office_files.py. The files it writes are committed;
run it again after changing a design here."""

import json
import pathlib

COURSE = pathlib.Path(__file__).resolve().parent.parent


def hex_rgb(value):
    """PowerPoint's RGB integer (red + 256 green + 65536 blue) as "#RRGGBB"."""
    return "#%02X%02X%02X" % (value & 255, (value >> 8) & 255, (value >> 16) & 255)


def rgb(r, g, b):
    return r + 256 * g + 65536 * b


def scheme(*colors):
    assert len(colors) == 8
    return [hex_rgb(c) for c in colors]


def fill(type_=1, fore=16777215, back=0, texture=None, picture=None):
    f = {"type": type_, "fore_color": hex_rgb(fore), "back_color": hex_rgb(back), "visible": True}
    if texture is not None:
        f["preset_texture"] = texture
    if picture:
        f["picture"] = picture
    return f


def font(name, size, color=0, **flags):
    f = {"name": name, "size": size, "color": hex_rgb(color)}
    f.update(flags)
    return f


def body(paragraphs, base_font, bullets=False, level_format=None):
    """A text body: paragraphs given as text or (text, level) or (runs, level), runs being (text, font)."""
    out = []
    for p in paragraphs:
        level = 1
        if isinstance(p, tuple):
            p, level = p
        runs = p if isinstance(p, list) else [(p, None)]
        fmt = {"alignment": 1, "level": level, "space_before": 0.2, "space_after": 0.0, "space_within": 1.0}
        if bullets:
            fmt["bullet"] = {"visible": True, "type": 1, "character": 110 if level == 1 else 8211,
                             "font": "Wingdings" if level == 1 else "Arial", "relative_size": 1.0}
        if level_format:
            fmt.update(level_format)
        para = {"format": fmt, "runs": []}
        for text, run_font in runs:
            para["runs"].append({"text": text, "font": run_font or base_font})
        out.append(para)
    return {"paragraphs": out}


# PowerPoint's default indents of the five outline levels of a body text (first-line and left margins).
BODY_RULER = {"tab_stops": [], "levels": [{"first_margin": f, "left_margin": l}
                                          for f, l in ((0, 27), (45, 58.5), (90, 108), (135, 153), (180, 198))]}


def with_ruler(text):
    text["ruler"] = BODY_RULER
    return text


def placeholder(kind, name, left, top, width, height, text=None):
    shape = {"name": name, "type": 14, "placeholder": kind, "auto_shape_type": 1,
             "left": left, "top": top, "width": width, "height": height, "rotation": 0,
             "fill": {"type": 1, "visible": False}}
    if text is not None:
        shape["text"] = text
    return shape


def master(name, background, color_scheme, title_font, body_font, title_kind=1, subtitle=False):
    """A slide or title master with its title and body placeholders (and the three footer zones,
    which the loader adds when a master names no shapes: here they are written out)."""
    if title_kind == 1:
        shapes = [
            placeholder(1, "Espace réservé du titre 1", 36, 21.625, 648, 90,
                        body(["Cliquez pour modifier le style du titre"], title_font,
                             level_format={"alignment": 2})),
            placeholder(2, "Espace réservé du texte 2", 36, 126, 648, 356.375,
                        with_ruler(body([("Cliquez pour modifier les styles du texte du masque", 1),
                                         ("Deuxième niveau", 2), ("Troisième niveau", 3),
                                         ("Quatrième niveau", 4), ("Cinquième niveau", 5)], body_font, bullets=True))),
        ]
    else:
        shapes = [
            placeholder(3, "Espace réservé du titre 1", 54, 167.75, 612, 115.75,
                        body(["Cliquez pour modifier le style du titre"], title_font,
                             level_format={"alignment": 2})),
            placeholder(4, "Espace réservé du sous-titre 2", 108, 306, 504, 138,
                        body(["Cliquez pour modifier le style des sous-titres du masque"], body_font,
                             level_format={"alignment": 2})),
        ]
    small = dict(body_font, size=14)
    shapes += [
        placeholder(16, "Espace réservé de la date 3", 36, 491.75, 168, 37.5, body([""], small)),
        placeholder(15, "Espace réservé du pied de page 4", 246, 491.75, 228, 37.5, body([""], small)),
        placeholder(13, "Espace réservé du numéro de diapositive 5", 516, 491.75, 168, 37.5,
                    body(["‹nº›"], small, level_format={"alignment": 3})),
    ]
    return {"name": name, "width": 720, "height": 540, "background": background,
            "color_scheme": color_scheme, "shapes": shapes,
            "text_styles": {"title": {"levels": [{"paragraph": {"alignment": 2, "level": i + 1},
                                                  "font": title_font} for i in range(5)]}}}


# --- The designs --------------------------------------------------------------------------------

TEXTURE_SCHEMES = [
    scheme(rgb(255, 255, 204), 0, rgb(153, 102, 51), rgb(102, 51, 0), rgb(204, 153, 102), rgb(153, 153, 102), rgb(204, 102, 0), rgb(102, 102, 51)),
    scheme(rgb(255, 255, 255), 0, rgb(128, 128, 128), rgb(51, 51, 51), rgb(204, 204, 153), rgb(102, 102, 153), rgb(153, 0, 51), rgb(0, 102, 102)),
    scheme(rgb(255, 255, 229), rgb(51, 51, 0), rgb(153, 153, 102), rgb(102, 51, 0), rgb(255, 204, 102), rgb(153, 102, 0), rgb(204, 51, 0), rgb(102, 153, 51)),
    scheme(rgb(0, 51, 102), rgb(255, 255, 255), rgb(0, 0, 51), rgb(255, 255, 204), rgb(51, 102, 153), rgb(204, 204, 255), rgb(255, 153, 0), rgb(153, 204, 255)),
    # The fifth standard scheme: the reference colours of the colour-scheme exercise.
    [hex_rgb(v) for v in (8475691, 16777215, 6697728, 16777189, 10066176, 10053171, 16763904, 52479)],
    scheme(rgb(255, 255, 255), rgb(51, 51, 51), rgb(153, 153, 153), rgb(0, 0, 0), rgb(230, 230, 230), rgb(102, 102, 102), rgb(51, 102, 204), rgb(204, 51, 51)),
    scheme(rgb(255, 248, 220), rgb(64, 32, 0), rgb(160, 120, 80), rgb(128, 64, 0), rgb(240, 200, 140), rgb(160, 80, 40), rgb(80, 120, 40), rgb(200, 160, 40)),
    scheme(rgb(51, 34, 17), rgb(255, 240, 200), rgb(0, 0, 0), rgb(255, 204, 102), rgb(102, 68, 34), rgb(204, 153, 102), rgb(153, 204, 102), rgb(255, 153, 51)),
]

DESIGNS = {
    "Texture": {
        "background": fill(4, fore=rgb(255, 255, 204), texture=1),  # papyrus
        "schemes": TEXTURE_SCHEMES,
        "title_font": font("Book Antiqua", 40, rgb(102, 51, 0), bold=True),
        "body_font": font("Book Antiqua", 28, 0),
    },
    "Pixel": {
        "background": fill(1, fore=rgb(255, 255, 255)),
        "schemes": [scheme(rgb(255, 255, 255), 0, rgb(128, 128, 128), rgb(0, 51, 153), rgb(204, 236, 255), rgb(0, 153, 204), rgb(51, 51, 153), rgb(0, 102, 153)),
                    scheme(rgb(0, 0, 0), rgb(255, 255, 255), rgb(51, 51, 51), rgb(102, 204, 255), rgb(0, 51, 102), rgb(0, 153, 255), rgb(153, 204, 255), rgb(51, 102, 255))],
        "title_font": font("Tahoma", 40, rgb(0, 51, 153)),
        "body_font": font("Tahoma", 28, 0),
    },
    "Capsules": {
        "background": fill(3, fore=rgb(204, 236, 255), back=rgb(255, 255, 255)),  # gradient
        "schemes": [scheme(rgb(255, 255, 255), rgb(0, 0, 102), rgb(102, 102, 153), rgb(0, 51, 153), rgb(153, 204, 255), rgb(51, 102, 204), rgb(0, 153, 153), rgb(102, 0, 204)),
                    scheme(rgb(0, 0, 102), rgb(255, 255, 255), rgb(0, 0, 51), rgb(204, 236, 255), rgb(51, 51, 153), rgb(102, 153, 255), rgb(0, 204, 204), rgb(204, 153, 255))],
        "title_font": font("Tahoma", 44, rgb(0, 51, 153), bold=True),
        "body_font": font("Tahoma", 28, rgb(0, 0, 102)),
    },
    "Ardoise": {
        "background": fill(1, fore=rgb(51, 51, 51)),
        "schemes": [scheme(rgb(51, 51, 51), rgb(255, 255, 255), rgb(0, 0, 0), rgb(255, 204, 0), rgb(102, 102, 102), rgb(153, 204, 0), rgb(255, 102, 0), rgb(102, 204, 255))],
        "title_font": font("Verdana", 40, rgb(255, 204, 0)),
        "body_font": font("Verdana", 26, rgb(255, 255, 255)),
    },
    "Horizon": {
        "background": fill(3, fore=rgb(255, 204, 153), back=rgb(102, 153, 204)),
        "schemes": [scheme(rgb(255, 255, 255), rgb(51, 51, 51), rgb(153, 153, 153), rgb(204, 102, 0), rgb(255, 229, 204), rgb(102, 153, 204), rgb(255, 153, 51), rgb(0, 102, 153))],
        "title_font": font("Georgia", 40, rgb(204, 102, 0)),
        "body_font": font("Georgia", 26, rgb(51, 51, 51)),
    },
}


def design(name):
    d = DESIGNS[name]
    first = d["schemes"][0] if name != "Texture" else d["schemes"][0]
    return {
        "name": name,
        "slide_master": master("Masque des diapositives", d["background"], first, d["title_font"], d["body_font"]),
        "title_master": master("Masque du titre", d["background"], first, d["title_font"], d["body_font"],
                               title_kind=3),
    }


def handout_master():
    zone = font("Times New Roman", 12)
    return {"name": "Masque du document", "width": 720, "height": 540,
            "shapes": [
                placeholder(14, "Espace réservé de l'en-tête 1", 0, 0, 312, 27, body(["‹en-tête›"], zone)),
                placeholder(16, "Espace réservé de la date 2", 407.875, 0, 312, 27,
                            body(["‹date/heure›"], zone, level_format={"alignment": 3})),
                placeholder(15, "Espace réservé du pied de page 3", 0, 513, 312, 27, body(["‹pied de page›"], zone)),
                placeholder(13, "Espace réservé du numéro de diapositive 4", 407.875, 513, 312, 27,
                            body(["‹nº›"], zone, level_format={"alignment": 3})),
            ]}


def presentation(designs, slides, schemes, template_name="", declared="", properties=None, view=None):
    p = {"format": "k60418-presentation", "version": 1, "template_name": template_name}
    if declared:
        p["declared_template_name"] = declared
    p["page_setup"] = {"slide_size": 1, "slide_width": 720, "slide_height": 540,
                       "slide_orientation": 1, "notes_orientation": 2, "first_slide_number": 1}
    p["properties"] = properties or {}
    p["view"] = view or {"view_type": 9, "active_pane": 2, "outline": False, "current_slide": 1, "zoom": 66}
    p["color_schemes"] = schemes
    p["designs"] = designs
    p["handout_master"] = handout_master()
    p["slides"] = slides
    return p


def template_file(name):
    return presentation([design(name)], [], DESIGNS[name]["schemes"],
                        properties={"title": name, "author": "Microsoft Corporation",
                                    "creation_date": "2003-05-12 10:00:00", "last_save_time": "2003-05-12 10:00:00"})


def write(path, content):
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_text(json.dumps(content, ensure_ascii=False, indent=1) + "\n", encoding="utf-8")


# --- Slides ---------------------------------------------------------------------------------------

def slide(layout, shapes, color_scheme, design_index=1):
    return {"layout": layout, "design": design_index, "color_scheme": color_scheme,
            "follow_master_background": True, "shapes": shapes}


def title_slide(title, subtitle, title_font, body_font, color_scheme):
    return slide(1, [
        placeholder(3, "Titre 1", 54, 167.75, 612, 115.75, body([title], title_font, level_format={"alignment": 2})),
        placeholder(4, "Sous-titre 2", 108, 306, 504, 138, body([subtitle], body_font, level_format={"alignment": 2})),
    ], color_scheme)


def text_slide(title, paragraphs, title_font, body_font, color_scheme):
    return slide(2, [
        placeholder(1, "Titre 1", 36, 21.625, 648, 90, body([title], title_font, level_format={"alignment": 2})),
        placeholder(2, "Espace réservé du texte 2", 36, 126, 648, 356.375,
                    with_ruler(body(paragraphs, body_font, bullets=True))),
    ], color_scheme)


def cineloisirs():
    """The cinema club's programme, in the design "Capsules"."""
    d = DESIGNS["Capsules"]
    cs = d["schemes"][0]
    tf = d["title_font"]
    bf = d["body_font"]
    tahoma_title = font("Tahoma", 40, rgb(0, 51, 153), bold=True)
    tahoma_text = font("Tahoma", 28, rgb(0, 0, 102))
    slides = [
        title_slide("Cinéloisirs", "Le ciné-club de la ville : programme de la saison", tf, bf, cs),
        text_slide("Qui sommes-nous ?", ["Une association de passionnés fondée par des habitants du quartier",
                                          "Une projection chaque vendredi soir à la salle des fêtes",
                                          "Un débat après chaque film, autour d'un verre"], tf, bf, cs),
        text_slide("Le festival d'été", [
            "Le festival exceptionnel de juillet",
            "Trois soirées en plein air dans le parc",
            "Des films restaurés, de 1950 à 1990",
            "Une soirée consacrée aux courts métrages",
            ("Entrée libre pour les adhérents", 2),
            ("Tarif réduit pour les étudiants", 2),
            "Réservation conseillée à l'accueil",
            "Programme complet sur notre site"], tahoma_title, tahoma_text, cs),
        text_slide("Nos coups de cœur", ["Un classique du cinéma muet, accompagné au piano",
                                         "Une comédie italienne sortie en 1994",
                                         "Un documentaire sur les métiers du cinéma"], tf, bf, cs),
        text_slide("Les ateliers", ["Écriture de scénario, le samedi matin",
                                    "Initiation au montage pour les adolescents",
                                    "Analyse de films avec un critique invité"], tf, bf, cs),
        text_slide("Adhésion", ["Carte annuelle : 25 euros",
                                "Carte jeune (moins de 18 ans) : 12 euros",
                                "Inscriptions au forum des associations en septembre"], tf, bf, cs),
    ]
    return presentation([design("Capsules")], slides, d["schemes"], template_name="Capsules.pot",
                        properties={"title": "Cinéloisirs", "author": "Cinéloisirs", "template": "Capsules",
                                    "creation_date": "2026-09-01 09:30:00", "last_save_time": "2026-09-02 18:05:00"})


def recommending_a_strategy():
    """The content template "Recommending a strategy": a proposal's outline, with its own scheme."""
    expected = [hex_rgb(v) for v in (16777215, 0, 204, 39168, 52428, 13382451, 0, 8421504)]
    tf = font("Arial", 40, 39168, bold=True)
    bf = font("Arial", 28, 0)
    the_design = {
        "name": "Recommending a strategy",
        "slide_master": master("Masque des diapositives", fill(1, fore=16777215), expected, tf, bf),
        "title_master": master("Masque du titre", fill(1, fore=16777215), expected, tf, bf, title_kind=3),
    }
    slides = [
        title_slide("Recommandation d'une stratégie", "Idées pour aujourd'hui et pour demain", tf, bf, expected),
        text_slide("Objectif", ["Énoncez l'objectif visé", "Décrivez la situation actuelle"], tf, bf, expected),
        text_slide("Options possibles", ["Présentez chaque option", "Avantages et inconvénients de chacune"],
                   tf, bf, expected),
        text_slide("Recommandation", ["Option retenue", "Coûts, délais et moyens nécessaires"], tf, bf, expected),
    ]
    return presentation([the_design], slides, [expected], declared="Recommending a Strategy",
                        properties={"title": "Recommending a strategy", "author": "Microsoft Corporation",
                                    "creation_date": "2003-05-12 10:00:00", "last_save_time": "2003-05-12 10:00:00"})


def main():
    for name in DESIGNS:
        write(COURSE / "office" / "designs" / (name + ".pot"), template_file(name))
    write(COURSE / "office" / "content" / "Recommending a strategy.pot", recommending_a_strategy())
    write(COURSE / "models" / "02131201.ppt", cineloisirs())
    write(COURSE / "models" / "12131201.pot", template_file("Texture"))


if __name__ == "__main__":
    main()
