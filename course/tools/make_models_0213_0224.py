#!/usr/bin/env python3
"""Writes the model files of exercises 0213 to 0223 (course/models/) in the simulator's presentation
format (FORMAT.md): the cinema club's presentations "Cinéloisirs.ppt" of each exercise and the
design template "Ciné.pot". The designs, the handout master and the building blocks come from
make_office_files.py, so that the models look like the rest of the course.

Run from anywhere: python3 course/tools/make_models_0213_0224.py. The files it writes are committed;
run it again after changing a model here."""

import copy
import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))

from make_office_files import (  # noqa: E402
    COURSE, DESIGNS, TEXTURE_SCHEMES, body, design, font, placeholder, presentation, rgb, slide,
    text_slide, title_slide, write)

PROPERTIES = {"title": "Cinéloisirs", "author": "Cinéloisirs", "company": "Cinéloisirs",
              "creation_date": "2026-09-01 09:30:00", "last_save_time": "2026-09-02 18:05:00"}

# --- What the club has to say: one programme per model ------------------------------------------

SAISON = [
    ("Cinéloisirs", "Le ciné-club de la ville : la saison d'automne"),
    ("Nos séances", ["Une projection chaque vendredi à 20 h 30 à la salle des fêtes",
                     "Un film pour les enfants le mercredi après-midi",
                     "Un débat avec le public après chaque film"]),
    ("Le cycle d'automne", ["Six films autour du voyage et de l'exil",
                            "Un réalisateur invité pour la séance d'ouverture",
                            "Une exposition d'affiches dans le hall"]),
    ("Les ateliers", ["Écriture de scénario, le samedi matin",
                      "Initiation au montage pour les adolescents",
                      "Analyse de films avec un critique invité"]),
    ("Nos partenaires", ["La médiathèque municipale", "Le lycée Jean-Moulin",
                         "L'association des commerçants du centre-ville"]),
    ("Adhésion", ["Carte annuelle : 25 euros", "Carte jeune (moins de 18 ans) : 12 euros",
                  "Inscriptions au forum des associations en septembre"]),
]

FESTIVAL = [
    ("Le festival d'été", "Trois soirées de cinéma en plein air au parc des Tilleuls"),
    ("Le programme", ["Vendredi : les grands classiques restaurés",
                      "Samedi : la nuit des courts métrages",
                      "Dimanche : la comédie musicale en famille"]),
    ("Informations pratiques", ["Séances à la tombée de la nuit, vers 22 heures",
                                "Apportez votre coussin ou votre chaise pliante",
                                "Buvette tenue par les bénévoles du club"]),
    ("Tarifs", ["Entrée libre pour les adhérents", "Cinq euros la soirée pour les autres spectateurs",
                "Gratuit pour les moins de douze ans"]),
    ("Les bénévoles", ["Installation de l'écran et des chaises", "Accueil du public et billetterie",
                       "Rangement du parc après la dernière séance"]),
    ("En cas de pluie", ["Les séances ont lieu à la salle des fêtes",
                         "L'information est donnée sur le site du club dès midi",
                         "Les places restent valables"]),
]

ASSEMBLEE = [
    ("Assemblée générale", "Bilan de la saison et projets du ciné-club"),
    ("La saison écoulée", ["Trente-huit séances et plus de quatre mille spectateurs",
                           "Un festival d'été qui a doublé son public",
                           "Deux nouveaux ateliers pour les jeunes"]),
    ("Les comptes", ["Des recettes en hausse grâce aux adhésions",
                     "Un nouveau projecteur financé avec la commune",
                     "Un budget équilibré pour la troisième année"]),
    ("Nos projets", ["Une semaine du cinéma d'animation en février",
                     "Des séances sous-titrées pour les malentendants",
                     "Un partenariat avec les écoles de la ville"]),
    ("Le bureau", ["Élection du président et du trésorier",
                   "Appel aux candidatures pour le conseil d'administration",
                   "Vote du montant de la cotisation"]),
    ("Merci", ["Aux adhérents fidèles", "Aux bénévoles de chaque séance",
               "À nos partenaires et à la commune"]),
]

CINE_CONCERT = [
    ("Ciné-concert", "Un film muet accompagné au piano par les élèves du conservatoire"),
    ("Le film", ["Une comédie muette de 1925, restaurée l'an dernier",
                 "Soixante-dix minutes de poursuites et de gags",
                 "Une copie prêtée par la cinémathèque régionale"]),
]


def slides_of(programme, design_name, color_scheme=None):
    """The slides of a programme in a design: a title slide, then text slides."""
    d = DESIGNS[design_name]
    scheme = color_scheme or d["schemes"][0]
    title, subtitle = programme[0]
    slides = [title_slide(title, subtitle, d["title_font"], d["body_font"], scheme)]
    for title, paragraphs in programme[1:]:
        slides.append(text_slide(title, paragraphs, d["title_font"], d["body_font"], scheme))
    return slides


def cineloisirs(programme, design_name, **changes):
    """A "Cinéloisirs.ppt" in one design, with its template file name."""
    return presentation([design(design_name)], slides_of(programme, design_name), DESIGNS[design_name]["schemes"],
                        template_name=design_name + ".pot",
                        properties=dict(PROPERTIES, **changes))


# --- The models -----------------------------------------------------------------------------------

def model_0213():
    """In the design "Texture", with its eight standard colour schemes (the fifth is the reference of
    the check); slide 2 has a scheme of its own, so that the slides share none."""
    p = cineloisirs(SAISON, "Texture")
    p["slides"][1]["color_scheme"] = TEXTURE_SCHEMES[2]
    assert len(p["color_schemes"]) == 8
    return p


def model_0214():
    """Every slide follows its master's background; both masters are plain white."""
    p = cineloisirs(FESTIVAL, "Pixel")
    for master in ("slide_master", "title_master"):
        assert p["designs"][0][master]["background"]["type"] == 1
    return p


def model_0216():
    """The body text of the slide master keeps PowerPoint's level 1; the text of level 2 starts a
    little to the left of its bullet, which is what the learner corrects."""
    p = cineloisirs(SAISON, "Capsules")
    levels = [{"first_margin": 0, "left_margin": 27}, {"first_margin": 45, "left_margin": 40.5},
              {"first_margin": 90, "left_margin": 108}, {"first_margin": 135, "left_margin": 153},
              {"first_margin": 180, "left_margin": 198}]
    master = p["designs"][0]["slide_master"]
    body_zone = master["shapes"][1]
    assert body_zone["placeholder"] == 2
    body_zone["text"]["ruler"] = {"levels": levels}
    master["text_styles"]["body"] = {"ruler": {"levels": copy.deepcopy(levels)}}
    return p


def model_0222():
    """Exactly two slides: the club's cover and its film of the month."""
    return cineloisirs(CINE_CONCERT, "Capsules")


def cine_template():
    """The club's own design template "Ciné": the look of "Capsules" in the club's colours, and one
    title slide to start from."""
    title_font = font("Tahoma", 44, rgb(153, 0, 0), bold=True)
    body_font = font("Tahoma", 28, rgb(51, 0, 0))
    schemes = [
        ["#FFFFFF", "#330000", "#996666", "#990000", "#FFCC99", "#CC6633", "#996600", "#663399"],
        ["#330000", "#FFFFFF", "#000000", "#FFCC66", "#663333", "#CC9966", "#FF9933", "#CC99CC"],
    ]
    the_design = design("Capsules")
    the_design["name"] = "Ciné"
    for master in ("slide_master", "title_master"):
        m = the_design[master]
        m["color_scheme"] = schemes[0]
        m["background"] = {"type": 3, "fore_color": "#FFE5CC", "back_color": "#FFFFFF", "visible": True}
        for shape in m["shapes"][:2]:
            for paragraph in shape["text"]["paragraphs"]:
                for run in paragraph["runs"]:
                    run["font"] = title_font if shape is m["shapes"][0] else body_font
    slides = [slide(1, [
        placeholder(3, "Titre 1", 54, 167.75, 612, 115.75,
                    body(["Cinéloisirs"], title_font, level_format={"alignment": 2})),
        placeholder(4, "Sous-titre 2", 108, 306, 504, 138,
                    body(["Le ciné-club de la ville"], body_font, level_format={"alignment": 2})),
    ], schemes[0])]
    return presentation([the_design], slides, schemes,
                        properties={"title": "Ciné", "author": "Cinéloisirs", "company": "Cinéloisirs",
                                    "creation_date": "2026-08-20 14:00:00",
                                    "last_save_time": "2026-08-20 14:10:00"})


MODELS = {
    "02131213.ppt": model_0213,
    "02131214.ppt": model_0214,
    "02131215.ppt": lambda: cineloisirs(SAISON, "Capsules"),
    "02131216.ppt": model_0216,
    "02131217.ppt": lambda: cineloisirs(ASSEMBLEE, "Capsules"),
    "02131218.ppt": lambda: cineloisirs(SAISON, "Capsules"),
    "02131219.ppt": lambda: cineloisirs(FESTIVAL, "Horizon"),
    "02131220.ppt": lambda: cineloisirs(ASSEMBLEE, "Horizon"),
    "02131221.ppt": lambda: cineloisirs(FESTIVAL, "Capsules"),
    "02131222.ppt": model_0222,
    "02131223.pot": cine_template,
}


def main():
    for name, make in MODELS.items():
        write(COURSE / "models" / name, make())


if __name__ == "__main__":
    main()
